 Sub gs120()
120 b1 = Rnd: b = Abs(b1 - 0.5): For l = 1 To 74: If b >= tnor(l, 2) Then GoTo 160
130 c = tnor(l - 1, 1)
    c = c + (b - tnor(l - 1, 2)) / (tnor(l, 2) - tnor(l - 1, 2)) * (tnor(l, 1) - tnor(l - 1, 1))
140 If b1 < 0.5 Then c = c * (-1!)
150 Exit Sub
160 Next l: c = tnor(74, 1): If b1 < 0.5 Then c = c * (-1!)
    Exit Sub
 End Sub
  
 Sub gs170()
    ' El dato de la variable uyy es un número, la media y la desviación (m;s)
    ' o parejas valor;porcentaje separadas con "/": otro texto detiene la
    ' simulación en vez de tomarse por 0.
161 If InStr(ua, ";") = 0 And Not IsNumeric(ua) Then GoTo 169
    If InStr(ua, ";") = 0 Then GoTo 170
    uyt = ua: If Right$(uyt, 1) <> "/" Then uyt = uyt + "/"
162 j = InStr(uyt, "/"): If j = 0 Then GoTo 170
    i = InStr(uyt, ";"): If i = 0 Or i > j Then GoTo 169
    If Not IsNumeric(Mid$(uyt, 1, i - 1)) Or Not IsNumeric(Mid$(uyt, i + 1, j - i - 1)) Then GoTo 169
    uyt = Mid$(uyt, j + 1): GoTo 162
169 MsgBox ("El dato de la variable " + uyy + " no es válido: " + Chr$(34) + ua + Chr$(34) + Chr$(10) + "Debe ser un número, la media y la desviación típica separadas con un punto-y-coma," + Chr$(10) + "o parejas de valor y frecuencia en % separados con un punto-y-coma, y las parejas separadas con un signo /." + Chr$(10) + "Corríjalo con el programa de datos."): End
170 If InStr(ua, ";") = 0 Then
      nsw = 0: h = Val(ua): GoTo 210
     ElseIf InStr(ua, "/") = 0 Then
      nsw = 1: i = InStr(ua, ";"): h = Val(Mid$(ua, 1, i - 1))
      s = Val(Mid$(ua, i + 1, Len(ua) - 1)): GoTo 210
    End If
180 n = 0: nsw = 2: i = 1
190 j = InStr(i, ua, ";"): If j <> 0 Then i = j + 1: n = n + 1: GoTo 190
200 ua = ua + "/": j = 0: kk = 0
    For i = 1 To n
      j = InStr(j + 1, ua, ";"): ta(i, 1) = Val(Mid$(ua, kk + 1, j - kk - 1))
      kk = InStr(kk + 1, ua, "/"): ta(i, 2) = Val(Mid$(ua, j + 1, kk - j - 1))
    Next i
210   :gs210
220 Exit Sub
 End Sub
  
 Sub gs210()
210 If nsw = 0 Then
      Y1 = h
     ElseIf nsw = 1 Then
      :gs120: Y1 = h + c * s
     ElseIf nsw = 2 Then
      c = Rnd: a = 0: GoTo 212
    End If
211 GoTo 220
212 For i = 1 To n: If c >= (ta(i, 2) + a) / 100 Then a = a + ta(i, 2) Else Y1 = ta(i, 1): GoTo 220
213 Next i: Y1 = ta(i-1, 1)
220 Exit Sub
 End Sub
  
