 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Dim t, dt As Single
 Dim POI, POB, TNA, TMO, COS, CON, RAC, ANI, ANO, GAS As Single
 Dim PRE As Single
 Dim NAC, MUE As Integer
 Dim tnor(), a, b, b1, c, y1, ta(), h, s As Single
 Dim nsw, n As Integer
 Dim ua As String
 Dim uyy As String
 Sub Main()
  SFINCA
 End Sub 
 Public Sub SFINCA()
10 Redim tnor(74, 2), ta(20, 2)
   'VESCR = InputBox("¿En qué directorio se encuentra el fichero TNOR.DAT?")
   'Open VESCR + "\tnor.dat" For Input As #1
20 'For i = 1 To 2: For j = 1 To 74: Input #1, tnor(j, i): Next j: Next i
   'Close #1
   For j=1 to 74:tnor(j,1)=(j-1)*.05:next
 tnor(1,2) =0   :tnor(2,2) =0398:tnor(3,2) =0796:tnor(4,2) =1192:tnor(5,2) =1585:tnor(6,2) =1974
 tnor(7,2) =2358:tnor(8,2) =2736:tnor(9,2) =3108:tnor(10,2)=3472:tnor(11,2)=3829:tnor(12,2)=4176:tnor(13,2)=4514
 tnor(14,2)=4843:tnor(15,2)=5160:tnor(16,2)=5476:tnor(17,2)=5762:tnor(18,2)=6046:tnor(19,2)=6318:tnor(20,2)=6578
 tnor(21,2)=6826:tnor(22,2)=7062:tnor(23,2)=7286:tnor(24,2)=7498:tnor(25,2)=7698:tnor(26,2)=7887
 tnor(27,2)=8064:tnor(28,2)=8229:tnor(29,2)=8384:tnor(30,2)=8529:tnor(31,2)=8663:tnor(32,2)=8788:tnor(33,2)=8904
 tnor(34,2)=9010:tnor(35,2)=9108:tnor(36,2)=9198:tnor(37,2)=9281:tnor(38,2)=9356:tnor(39,2)=9425:tnor(40,2)=9488
 tnor(41,2)=9545:tnor(42,2)=9596:tnor(43,2)=9642:tnor(44,2)=9684:tnor(45,2)=9721:tnor(46,2)=9755
 tnor(47,2)=9785:tnor(48,2)=9812:tnor(49,2)=9836:tnor(50,2)=9857:tnor(51,2)=9875:tnor(52,2)=9892:tnor(53,2)=9906
 tnor(54,2)=9919:tnor(55,2)=9930:tnor(56,2)=9940:tnor(57,2)=9948:tnor(58,2)=9956:tnor(59,2)=9962:tnor(60,2)=9968
 tnor(61,2)=9973:tnor(62,2)=9977:tnor(63,2)=9980:tnor(64,2)=9983:tnor(65,2)=9986:tnor(66,2)=9988:tnor(67,2)=9990
 tnor(68,2)=9991:tnor(69,2)=9993:tnor(70,2)=9995.3:tnor(71,2)=9996.8:tnor(72,2)=9997.8:tnor(73,2)=9998.6:tnor(74,2)=9999.1
30 For i = 1 To 74: tnor(i, 2) = tnor(i, 2) / 20000!: Next i
   Randomize
110 GoTo 230
230 Rem Programa para simular con el modelo FINCA
240 uorg="":udep="": uarea="":uproy=""
udi="s"
 pp= inputbox("¿Cuantos Periodos desea simular?")
 dt= inputbox("¿Con que paso desea integrar?")
 rg= inputbox(" ¿Cada cuantos Periodos desea ver los resultados?")
 nr= inputbox("¿Cuantas repeticiones desea?")
 rini= inputbox("¿Cual es el Periodo inicial?")
 ns1= inputbox("¿Número de la primera simulación que desea efectuar?")
 ns2= inputbox("¿Número de la última simulación que desea efectuar?")
 uu= inputbox("¿Desea que le diga en cada momento lo que estoy haciendo?")
340 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)
350 open "datos"+uns+".txt" for input as #1
 open "resul"+uns+".ale" for output as #2:close #2:open "resul"+uns+".ale" for random as #2 len=4
 :nvi= 2
 380 line input #1,uc::input #1,wPOI
 390 line input #1,uc::input #1,ñTNA:TNA=ñTNA
 400 line input #1,uc::input #1,ñTMO:TMO=ñTMO
 410 line input #1,uc::input #1,ñRAC:RAC=ñRAC
 420 line input #1,uc::input #1,wANO
 430 line input #1,uc::input #1,ñPRE:PRE=ñPRE
 440 FOR IR=1 TO NR
 450 :ua=wPOI:uyy="POI"::gs170:POI=y1
 460 :ua=wANO:uyy="ANO"::gs170:ANO=y1
 470 if rg<dt then rg=dt
 480 nfin=-int(.001-pp/dt*.9999997):ngrab=-int(.001-CLng(pp/rg)*rg/dt*.9999997):if ngrab>nfin then nfin=ngrab
 490 dt0=0:ngrab=1:for npaso=1 to nfin:t=npaso*dt:dt0a=0:dt0=1:if npaso>=-int(.001-ngrab*rg/dt*.9999997) then dt0=0:ngrab=ngrab+1
 500  NAC = TNA * POI
 510 if dt0<=dt0a then YYS=NAC:put #2,, YYS
 520  MUE = TMO * POI
 530 if dt0<=dt0a then YYS=MUE:put #2,, YYS
 540  ANI = ANO * 1.1
 550 if dt0<=dt0a then put #2,, ANI
 560  POB = POI + NAC - MUE
 570 if dt0<=dt0a then put #2,, POB
 580  CON = RAC * ANI
 590 if dt0<=dt0a then put #2,, CON
 600  GAS = CON * PRE
 610 if dt0<=dt0a then put #2,, GAS
 620  COS = GAS + 0.5 * CON
 630 if dt0<=dt0a then put #2,, COS
 640 REM Fin del calculo de las variables
 650 if npaso=1 then
 660  ñANO0=ANO:
 670  ñPOI0=POI:
 680 endif
 690 ANO=ANI:POI=POB:
 700 if uu="s" then
 710  debug.print "Sim ";nsi;"/";ns2; "Periodo";t;"/";pp; "Rep ";ir;"/";nr
 720 endif
 730 next npaso
 740 ANO=ñANO0:
 750 POI=ñPOI0:
 760 next ir:close #1,#2:ic=7
 770 open "R"+uns+"ic" for output as #1
 780 write #1,ic,udi,pp,rg,rini,nr:close #1
9000 'cls:print
     V0 = "Simulación " + uns
     V1 = ". ¿Con cuantos grados de libertad desea el cálculo de xi2 para la"
     V2 = "  prueba de normalidad de las distribuciones de los resultados?"
     NGLXI = InputBox(V0 + V1 + V2)
9010 N = NGLXI + 1: ReDim DIS(NR), FR(N), FT(N): R0 = 0.000001
9020 Open "resul" + uns + ".ale" For Random As #2 Len = 4
     Open "resul" + uns For Output As #3
9021 If NR = 1 Then
       For REG& = 1 To CLng(pp / rg) * IC
         Get #2, REG&, XI
         Print #3, XI; ",0,0"
       Next REG&
       GoTo 9135
     End If
9030 For J = 0 To CLng(pp / rg) - 1
       ' Debug.Print "Estoy calculando promedios. Voy por el periodo "; J
       For I = 1 To IC
9040   X = 0: AMI = 0: AMA = 0
         For K = 0 To NR - 1
           REG& = CLng(pp / rg) * IC * K + IC * J + I
           Get #2, REG&, A
           DIS(K + 1) = A: X = X + A
           If K = 0 Then AMI = A: AMA = A
           If A < AMI Then AMI = A
           If A > AMA Then AMA = A
         Next K
9060     ' X2 = X2 + A * A
9070   XM = X / NR: X2 = 0
         For K = 1 To NR: X2 = X2 + (DIS(K) - XM) ^ 2: Next K
       ' XS=X2/(NR-1)-XM*XM*NR/(NR-1)
         XS = X2 / (NR - 1): If XS < R0 Then XS = 0 Else XS = Sqr(XS)
9075   RA = (AMA - AMI) / N: XI = 0
         If XS < R0 Then GoTo 9120
9080   For L = 1 To N: FR(L) = 0: Next L
         For K = 1 To NR
           A = DIS(K): B = AMI
           For L = 1 To N
         B = B + RA: If A < B And A >= B - RA Then FR(L) = FR(L) + 1: GoTo 9100
           Next L
9100   Next K
         A = 0.5: B = AMI
         For L = 1 To N
           BA = B: B = B + RA: BT = Abs(B - XM) / XS: h = 0.5
           For K = 1 To 74
             If tnor(K, 1) = BT Then h = tnor(K, 2): Exit For
             If tnor(K, 1) > BT Then
               h = tnor(K-1, 2)+(tnor(k,2)-tnor(k-1,2))*(BT-tnor(k-1,1))/(0.05)
               Exit For
             End If
           Next K
9110     If BA < XM And B > XM Then FT(L) = (A + h) * NR Else FT(L) = Abs(A - h) * NR
           A = h
           If FT(L) > R0 Then XI = XI + (FR(L) - FT(L)) ^ 2 / FT(L)
         Next L
9120   Write #3, XM, XS, XI
       Next I
     Next J
9135 Close #2, #3
9132 nx = nx + 1: Next: 'cls:print
     UA = InputBox("He terminado. ¿Desea ejecutar alguna otra simulación?")
     If UCase$(UA) = "S" Then GoTo 240
 End sub
   
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
  
