defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  D$MODEL$
 End Sub 
 Public Sub D$MODEL$()
 ux=chr$(10)
