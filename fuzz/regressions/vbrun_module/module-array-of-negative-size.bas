 dim zz(-5)
 Sub Main()
 x = 1
 End Sub
