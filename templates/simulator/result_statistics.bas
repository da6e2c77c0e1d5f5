#labels-used RESTART
$S$9000 'cls:print
     V0 = "Simulación " + uns
     V1 = ". ¿Con cuantos grados de libertad desea el cálculo de xi2 para la"
     V2 = "  prueba de normalidad de las distribuciones de los resultados?"
     NGLXI = InputBox(V0 + V1 + V2)
$S$9010 N = NGLXI + 1: ReDim DIS(NR), FR(N), FT(N): R0 = 0.000001
$S$9020 Open "resul" + uns + ".ale" For Random As #2 Len = 4
     Open "resul" + uns For Output As #3
$S$9021 If NR = 1 Then
       For REG& = 1 To CLng(pp / rg) * IC
         Get #2, REG&, XI
         Print #3, XI; ",0,0"
       Next REG&
       GoTo $S$9135
     End If
$S$9030 For J = 0 To CLng(pp / rg) - 1
       ' Debug.Print "Estoy calculando promedios. Voy por el periodo "; J
       For I = 1 To IC
$S$9040   X = 0: AMI = 0: AMA = 0
         For K = 0 To NR - 1
           REG& = CLng(pp / rg) * IC * K + IC * J + I
           Get #2, REG&, A
           DIS(K + 1) = A: X = X + A
           If K = 0 Then AMI = A: AMA = A
           If A < AMI Then AMI = A
           If A > AMA Then AMA = A
         Next K
$S$9060     ' X2 = X2 + A * A
$S$9070   XM = X / NR: X2 = 0
         For K = 1 To NR: X2 = X2 + (DIS(K) - XM) ^ 2: Next K
       ' XS=X2/(NR-1)-XM*XM*NR/(NR-1)
         XS = X2 / (NR - 1): If XS < R0 Then XS = 0 Else XS = Sqr(XS)
$S$9075   RA = (AMA - AMI) / N: XI = 0
         If XS < R0 Then GoTo $S$9120
$S$9080   For L = 1 To N: FR(L) = 0: Next L
         For K = 1 To NR
           A = DIS(K): B = AMI
           For L = 1 To N
         B = B + RA: If A < B And A >= B - RA Then FR(L) = FR(L) + 1: GoTo $S$9100
           Next L
$S$9100   Next K
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
$S$9110     If BA < XM And B > XM Then FT(L) = (A + h) * NR Else FT(L) = Abs(A - h) * NR
           A = h
           If FT(L) > R0 Then XI = XI + (FR(L) - FT(L)) ^ 2 / FT(L)
         Next L
$S$9120   Write #3, XM, XS, XI
       Next I
     Next J
$S$9135 Close #2, #3
$S$9132 nx = nx + 1: Next: 'cls:print
     UA = InputBox("He terminado. ¿Desea ejecutar alguna otra simulación?")
     If UCase$(UA) = "S" Then GoTo $RESTART$
