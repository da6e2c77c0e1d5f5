 dim zz(40000, 40000)
 dim yy(99999999999999999999)
 Sub Main()
 End Sub
