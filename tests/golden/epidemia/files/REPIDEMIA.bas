 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 dim UNFS,PP,RG,NV,UV(4),IV(4),UF,US,IA,IB,TS,INIC,VPER,NVI
 dim NS1,NS2,NSI,UNS,NX,NN,NS,NVS,UID(),NO,IZOR(),LON()
 dim KK,IX,IP,LS,UJA,JA(),UDI,UA,JB,UAIC,JC,JD,AIC(),IR
 dim NR,NM,NU,ny,IC,WZ(),VL,Z(),S(),X(),k,UEL(),NPG,AA(),AP,a,B,C,UC
 dim UB
 Sub Main()
  REPIDEMIA
 End Sub 
 Public Sub REPIDEMIA()
10 if nn=5 then end
20 Rem cls:print:print "Saludos. Soy REPIDEMIA y le puedo ayudar a representar los resultados del modelo EPIDEMIA"
   uorg="":udep="": uarea="":uproy=""
23 Rem print:print "                                     Digame:"
 :larga
50 nvs= 11:l= 2:npg=pp/rg:redim uel(nvs),uid(nvs),aa(4,l,npg),lon(nvs),izor(nvs),z(nvs),wz(nvs),s(nvs),x(nvs):vper="dia"
54 redim aic( 0):uaic="":nl=15
55 ' Nueva simulación
     unsim=inputbox("¿Número de la simulación que desea visualizar?"):if isnumeric(unsim) then nsim=unsim else msgbox "La respuesta no es un número. Escriba un número.":goto 55
     uns=mid$(str$(nsim),2)
56 open "R"+uns+"ic" for input as #1
     input #1,ic,udi,pp,rg,inic,nr:close #1
 :uid( 1)="CUR":uel( 1)="CUR curaciones...":izor( 1)=ica:uid( 2)="TAS":uel( 2)="TAS tasa de contacto...":izor( 2)=ica+1:
60 uid( 3)="PRE":uel( 3)="PRE prevalencia...":izor( 3)=ica+2:uid( 4)="XI3":uel( 4)="XI3 infectados medios...":izor( 4)=ica+3:
70 uid( 5)="CAM":uel( 5)="CAM cambio del SMTH1 de infectados medio...":izor( 5)=ica+4:
80 uid( 6)="REC":uel( 6)="REC Recuperados...":izor( 6)=ica+5:uid( 7)="CON":uel( 7)="CON contagios...":izor( 7)=ica+6:
90 uid( 8)="AL2":uel( 8)="AL2 alerta...":izor( 8)=ica+7:uid( 9)="SMT":uel( 9)="SMT SMTH1 de infectados medios...":izor( 9)=ica+8:
100 uid( 10)="SUS":uel( 10)="SUS Susceptibles...":izor( 10)=ica+9:uid( 11)="XIN":uel( 11)="XIN Infectados...":izor( 11)=ica+10:no= 3:nvi= 0

'             Modulo representador de resultados universal
9006 ReDim Z(IC), WZ(IC), S(IC), X(IC), JA(IC)
     If UDI <> "s" Then PP = 1: RG = 1
9030 UR = InputBox("0. Salida completa, 1. Ejecutar salidas, 2. Definir salidas, 3. Modificar salidas, 4. Nueva simulación, 5. Terminar"): If IsNumeric(UR) Then NN = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9030
9140 If NN = 0 Then
        Call COMPLETA
     ElseIf NN = 1 Then
        Call EJECUTAR
     ElseIf NN = 2 Then
        Call DEFINIR
     ElseIf NN = 3 Then
        Call INSPEC
     ElseIf NN = 4 Then
        GoTo 55
     ElseIf NN = 5 Then
        GoTo 10
     End If
9880 NZ = 0: NX = 0: Close #1, #2, #3:  GoTo 9030
9910 End Sub
 
Sub ERRRS() '******************** SUBRUTINA DE ERRORES ***********************
     If Err = 55 Then UB = "LLAME A MANTENIMIENTO    ": GoTo CONTIN
     If Err = 58 Then UB = "EL FICHERO " + UNFS + ".BAK YA EXISTE": GoTo CONTIN
     If Err = 68 Or Err = 71 Then UB = "UNIDAD DESACTIVADA       ": GoTo CONTIN
     If Err = 53 Then UB = "FICHERO NO ENCONTRADO    ": GoTo CONTIN
     If Err = 70 Then UB = "DISCO PROTEGIDO          ": GoTo CONTIN
     If Err = 72 Then UB = "LLAME A MANTENIMIENTO    ": GoTo CONTIN
     MsgBox "Error: " + Str$(Err)
CONTIN:
     UR = InputBox(UB + " - PULSE ENTER PARA CONTINUAR")
End Sub
 
Sub LARGA() 'Determina num.periodos max. y cada cuanto se escribio como min.
     ' Ficheros de control R0IC a R100IC; el que falta se salta
     PMAX = 0: RMIN = 1E+38
     For JF = 0 To 100
        On Error Resume Next
        Open "R" + Mid$(Str$(JF), 2) + "IC" For Input As #1
        If Err <> 0 Then GoTo CONTINUAR
        Input #1, ICF, UDF, PF, RF, INF, NRF
        If Err <> 0 Then GoTo CONTINUAR
        If PF > PMAX Then PMAX = PF
        If RF > 0 And RF < RMIN Then RMIN = RF
CONTINUAR:
        Close #1
     Next JF
     On Error GoTo 0
     PP = PMAX: RG = RMIN
End Sub
 
Sub INSPEC()
     ' Mientras se revisa, el fichero de salidas se llama .bak
     ' DECLARE SUB GRABAR: DECLARE SUB DEFINIR: DECLARE SUB ERRRS
9090 UNFS = InputBox("¿Nombre del fichero de salidas que desea utilizar?")
     UBAK = UNFS + ".bak"
9095 On Error GoTo ERRR
     Name UNFS As UBAK
     On Error GoTo 0
9100 Open UBAK For Input As #4
     While Not EOF(4)
        Input #4, PP, RG, NV, UV(1), UV(2), UV(3), UV(4)
        Input #4, IV(1), IV(2), IV(3), IV(4), UF, IA, IB, TS
9110    UD = "Se simulan" + Str$(PP) + " " + VPER + "s. Se graba cada" + Str$(RG) + " " + VPER + "s."
        UD = UD + " Las variables son" + Str$(NV) + ": " + UV(1) + "," + UV(2) + "," + UV(3) + "," + UV(4)
        UD = UD + " Cuadro o gráfico: " + UF + "."
        UD = UD + " Se analiza desde el(la) " + VPER + Str$(IA) + " hasta el(la) " + Str$(IB) + ". "
9120    If NVI <> 0 Then UD = UD + "Valor de la t de Student:" + Str$(TS) + ". "
9130    UR = InputBox(UD + "¿Desea  conservar (1), cancelar (2), modificar (3), o postinsertar (4) a esta salida?")
        If UR <> "1" And UR <> "2" And UR <> "3" And UR <> "4" Then GoTo 9130
        If UR = "1" Or UR = "4" Then Call GRABAR
        If UR = "3" Or UR = "4" Then Call DEFINIR
9132 Wend
     Close #4
     On Error GoTo ERRR
     Kill UBAK
     On Error GoTo 0
9850 UR = InputBox("¿Desea añadir alguna otra salida?")
     If UR = "s" Then Call DEFINIR
     If NX = 0 Then Open UNFS For Output As #2: NX = 1
9890 UR = InputBox("¿Desea cambiarle el nombre al fichero de salidas?")
     Close #2: On Error GoTo 9896
9895 If UR = "s" Then UN = InputBox("Deme el nombre nuevo.")
     ' Solo hay fichero que renombrar si GRABAR llego a abrirlo
     If UR = "s" And NX = 1 Then Name UNFS As UN: UNFS = UN
     NX = 0
9131 Exit Sub
9896 If Err = 58 Then MsgBox "Ya existe un fichero con ese nombre. Deme otro nombre.": Resume 9895
ERRR:
     Call ERRRS
End Sub
 
Sub EJECUTAR() ' 1. Ejecutar salidas definidas
     ' DECLARE SUB EJESAL: DECLARE SUB ERRRS
     Debug.Print
     Debug.Print "                                     Salidas:"
9150 UR = InputBox("¿Número menor de las simulaciones que desea visualizar?"): If IsNumeric(UR) Then NS1 = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9150
9160 UR = InputBox("¿Número mayor de las simulaciones que desea visualizar?"): If IsNumeric(UR) Then NS2 = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9160
9170 UNFS = InputBox("¿Nombre del fichero de salidas que desea utilizar?")
9190 For NSI = NS1 To NS2
        UNS = Mid$(Str$(NSI), 2)
9200    If NX = 0 Then
           On Error GoTo ERRR
           Open UNFS For Input As #2
           On Error GoTo 0
           NX = 1
        End If
9210    While Not EOF(2)
           Input #2, PP, RG, NV, UV(1), UV(2), UV(3), UV(4)
           Input #2, IV(1), IV(2), IV(3), IV(4), UF, IA, IB, TS
           Call EJESAL
        Wend
        Close #2: NX = 0
     Next NSI
     Exit Sub
ERRR:
     Call ERRRS
End Sub
 
Sub DEFINIR() ' 2. Definir salidas
     ' DECLARE SUB SUBIND
     ' DECLARE SUB EJESAL: DECLARE SUB GRABAR
9221 UR = InputBox("¿Cuantas variables desea visualizar? (Hasta 4)"): If Not IsNumeric(UR) Then MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9221
     If Val(UR) < 1 Or Val(UR) > 4 Then MsgBox "Puede visualizar de 1 a 4 variables.": GoTo 9221 Else NV = UR
9230 For i = 1 To NV
        UV(i) = InputBox("¿Identificador" + Str$(i) + "?")
        UF = UV(i)
        Call SUBIND
9240    For j = 1 To NVS
           If Left$(UID(j), NO) = UV(i) Then GoTo 9250
        Next j
        MsgBox "El identificador" + Str$(i) + "no existe. Comencemos de nuevo."
        GoTo 9230
9250    If UA = "n" Then IV(i) = IZOR(j) + 1: GoTo 9280
9260    UV(i) = UV(i) + "("
        Debug.Print "Deme los valores de los subíndices."
        ' Tamano de cada dimension: un numero o una variable de tamano (AIC)
9262    UJA = Mid$(UID(j), InStr(2, UID(j), "(") + 1)
        For l = 1 To NS
           JC = InStr(UJA, ",")
           If JC = 0 Then JC = InStr(UJA, ")")
           UC = Left$(UJA, JC - 1): UJA = Mid$(UJA, JC + 1)
           If Left$(UC, 1) >= "1" And Left$(UC, 1) <= "9" Then
              JA(l) = Val(UC)
           Else
              JD = 1
              For m = 1 To InStr(UAIC, UC) - 1
                 If Mid$(UAIC, m, 1) = "," Then JD = JD + 1
              Next m
              JA(l) = AIC(JD)
           End If
        Next l
9270    IX = 0
        For l = 1 To NS
9271       JL = Val(InputBox("Subíndice " + Str$(l)))
           If JL < 1 Or JL > JA(l) Then GoTo 9271
           JB = 1
           For m = l + 1 To NS: JB = JB * JA(m): Next m
           If l < NS Then IX = IX + (JL - 1) * JB Else IX = IX + JL
           UV(i) = UV(i) + Mid$(Str$(JL), 2)
           If l < NS Then UV(i) = UV(i) + "," Else UV(i) = UV(i) + ")"
        Next l
9273    IV(i) = IZOR(j) + IX
9280 Next i
9290 If UDI <> "s" Then GoTo 9300
     UR = InputBox("Entre " + Str$(INIC + 1) + " y " + Str$(INIC + PP) + "¿Cual es el(la) primer(a) " + VPER + " que desea visualizar?"): If IsNumeric(UR) Then IA = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9290
9292 UR = InputBox("¿Y el(la) último(a)?"): If IsNumeric(UR) Then IB = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9292
     If IA < INIC + 1 Or IB > INIC + PP Or IA > IB Then GoTo 9290
9291 IA = IA - INIC: IB = IB - INIC
9300 If NVI = 0 Then GoTo 9310
     UR = InputBox("Para estimar por intervalo introduzca el valor de la t de Student. En caso contrario introduzca un cero."): If IsNumeric(UR) Then TS = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9300
9310 UF = InputBox("¿Como desea los resultados? ¿Cuadro (c) o gráfico (g)?")
     If UF <> "c" And UF <> "g" Then GoTo 9310
9320 UR = InputBox("¿Desea grabar esta salida (g), ejecutarla (e), o ambas cosas (a)?")
     If UR <> "g" And UR <> "e" And UR <> "a" Then GoTo 9320
     If UR = "g" Or UR = "a" Then Call GRABAR
     If UR = "e" Or UR = "a" Then Call EJESAL
9860 UR = InputBox("¿Desea alguna otra salida?")
     If UR <> "s" Then Exit Sub
     UR = InputBox("¿Con las mismas variables?")
     If UR = "s" Then GoTo 9290
     GoTo 9221
End Sub
 
Sub GRABAR() ' Grabar una salida
9330 If NX = 0 Then
        UNFS = InputBox("¿Nombre del fichero de salidas que desea utilizar para grabar?")
        Open UNFS For Output As #2
        NX = 1
     End If
9340 Write #2, PP, RG, NV, UV(1), UV(2), UV(3), UV(4), IV(1), IV(2), IV(3), IV(4), UF, IA, IB, TS
'    IF NM = 4 AND NU = 0 THEN
'       NU = 1
'       CALL DEFINIR
'       NU = 0
'    END IF
End Sub
 
Sub EJESAL() ' Ejecutar una salida
     ' DECLARE SUB CUADRO: DECLARE SUB GRAFICO
9350 Open "resul" + UNS For Input As #1
     Open "R" + UNS + "IC" For Input As #5: Input #5, ICF, UDF, PP, RG, INIC, NR: Close #5
     If UDI <> "s" Then PP = 1: RG = 1
     If ny <> 0 Then ny = ny + 1: Debug.Print "Fichero EXCEL"; ny: GoTo 9360
9355 UR = InputBox("¿Número del primer fichero EXCEL?"): If IsNumeric(UR) Then ny = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9355
9360 Open "EXCEL" + Mid$(Str$(ny), 2) + ".txt" For Output As #3
     If UF = "c" Then Call CUADRO
     If UF = "g" Then Call GRAFICO
     Close #1, #3
End Sub
 
Sub LEEDAT() ' Lee los datos de un periodo
     If NVI <> 0 Then GoTo 9390
     ' Sin incertidumbre: un valor por linea; un literal viene entre comillas
9383 For i = 1 To IC
        Line Input #1, UL
        X(i) = InStr(UL, Chr$(34)): If X(i) > 0 Then VL = "l": UL = Mid$(UL, 2, Len(UL) - 2)
        WZ(i) = UL
     Next i
     Exit Sub
     ' Con incertidumbre: media, desviacion y chi2, o extremos del intervalo
9390 For i = 1 To IC
        Input #1, Z(i), S(i), X(i)
        If Fix(TS) <> 0 And NR = 1 Then S(i) = Z(i)
        If Fix(TS) <> 0 And NR <> 1 Then
           ZM = Z(i)
           Z(i) = ZM - TS * S(i) / Sqr(NR - 1)
           S(i) = ZM + TS * S(i) / Sqr(NR - 1)
        End If
     Next i
End Sub
 
Sub CUADRO() ' Representa un cuadro
     ' DECLARE SUB CABCUA: DECLARE SUB LEEDAT: DECLARE SUB CUAFIC
     Call CABCUA
     If UDI = "n" Then PP = 1: RG = 1: IA = 1: IB = 1
     NP = PP: If Abs(PP - NP) > 0.5 Then NP = NP + 1
     NP = NP/RG
     For k = 1 To NP
        A1 = k * RG
        Call LEEDAT
9400    If A1 < IA Or A1 > IB Then GoTo 9426
        If NVI <> 0 Then For i = 1 To IC: WZ(i) = Str$(Z(i)): Next i
        Call CUAFIC
9426 Next k
End Sub
 
Sub CABCUA() ' Cabecera de cuadro por fichero
9376 Print #3, VPER;
     For i = 1 To NV: Print #3, , UV(i);: Next i
     Print #3,
     If NVI = 0 Or NV <> 1 Then Exit Sub
     If TS = 0 Then Print #3, "          Media, desviacion tipica y chi2"
     If TS <> 0 Then Print #3, "          Extremos de intervalo y Chi2"
End Sub
 
Sub CUAFIC() ' Linea de cuadro en fichero
9461 Print #3, k * RG + INIC;
     For i = 1 To NV: Print #3, , WZ(IV(i));: Next i
     If NVI = 0 Then Print #3,: Exit Sub
     If NV = 1 Then Print #3, , S(IV(1)), X(IV(1)): Exit Sub
     ' Desviaciones (o extremos superiores) y chi2; con 4 variables, en una linea
     If NV < 4 Then Print #3,
9464 Print #3, " ";
     For i = 1 To NV: Print #3, , S(IV(i));: Next i
     If NV < 4 Then Print #3,
9467 Print #3, " ";
     For i = 1 To NV: Print #3, , X(IV(i));: Next i
     Print #3,
     Print #3,
     If NV < 4 Then Print #3,
End Sub
 
Sub CABGRA() ' Cabecera de gráfico
     Print #3,
     For i = 1 To NV
        Print #3, i; "= "; UV(i)
        JV = NVS
        For j = 1 To NVS
           If IZOR(j) >= IV(i) Then JV = j - 1: Exit For
        Next j
        Print #3, UEL(JV)
        For j = 0 To NPG: AA(i, 2, j) = i: Next j
     Next i
     Print #3, " " + VPER + " 1:"; INIC + 1
     Print #3,
     ' Escala: cinco valores, uno en cada marca del eje
     P0 = a: PS = (B - a) / 5
     Print #3, Tab(4); P0; Tab(19); P0 + PS; Tab(34); P0 + 2 * PS; Tab(49); P0 + 3 * PS; Tab(64); P0 + 4 * PS
     Print #3, "    +--------------+--------------+--------------+" + "--------------+--------------+"
End Sub
 
Sub GRAFICO()
     ' DECLARE SUB LEEDAT: DECLARE SUB CABGRA: DECLARE SUB GRALIN
     ' Primera pasada: valores, minimo y maximo de los registros elegidos (KP)
     NP = PP: If Abs(PP - NP) > 0.5 Then NP = NP + 1
     NP = NP/RG
     For k = 1 To NP
        A1 = k * RG
        Call LEEDAT
9670    If UDI = "s" And (A1 < IA Or A1 > IB) Then GoTo 9590
        For i = 1 To NV
           If NVI = 0 And X(IV(i)) > 0 Then MsgBox "No puedo representar gráficamente literales.": Exit Sub
        Next i
        If NVI = 0 Then For i = 1 To IC: Z(i) = Val(WZ(i)): Next i
9510    KK = k: KP = KP + 1
9530    If KP = 1 Then a = Z(IV(1)): B = a
        For i = 1 To NV
           AA(i, 1, KK) = Z(IV(i))
           AA(i, 2, KK) = IV(i)
           If NVI <> 0 Then AA(i, 3, KK) = S(IV(i))
9540       If Z(IV(i)) < a Then a = Z(IV(i))
9550       If NVI <> 0 And Fix(TS) <> 0 Then
              If S(IV(i)) > B Then B = S(IV(i))
           ElseIf Z(IV(i)) > B Then
              B = Z(IV(i))
           End If
        Next i
9590 Next k
9600 If a = B Then MsgBox "No vale la pena la representación gráfica" + "  (valor constante = " + Str$(a) + ")": Exit Sub
     Call CABGRA
     For k = 1 To NP
        A1 = k * RG
9680    If UDI = "s" And (A1 < IA Or A1 > IB) Then GoTo 9690
        Call GRALIN
9690 Next k
End Sub
 
Sub GRALIN() ' Representa una linea de un gráfico por fichero
     ' Fila 1 del almacen: valor o extremo inferior; 2: simbolo; 3: extremo superior
     KK = k
     LF = 1: M2 = 2
     If NVI <> 0 And Fix(TS) <> 0 Then LF = 3: M2 = 3
     For l = 1 To LF Step 2
        ' Orden de menor a mayor; las filas de una variable se mueven juntas
9700    For i = 1 To NV - 1
           For j = i + 1 To NV
              If AA(i, l, KK) > AA(j, l, KK) Then
                 For m = 1 To M2
                    AM = AA(i, m, KK): AA(i, m, KK) = AA(j, m, KK): AA(j, m, KK) = AM
                 Next m
              End If
           Next j
        Next i
        ' Cada simbolo dista del anterior en proporcion, sobre 76 columnas
        UL = "|": PA = a: JS = 0
        For i = 1 To NV
           IP = Fix((AA(i, l, KK) - PA) / (B - a) * 76)
           ' El primero, si esta en el minimo, devuelve su columna en el primer salto de mas de una
           If JS = 1 And IP > 1 Then IP = IP - 1: JS = 0
           UT = Mid$(Str$(AA(i, 2, KK)), 2)
           If IP > 0 Then UL = UL + Space$(IP - 1) + UT
           If IP = 0 And i = 1 Then UL = UL + UT: JS = 1
           PA = AA(i, l, KK)
        Next i
        Print #3, k Mod 10; Tab(4); UL
     Next l
9800 Print #3, Tab(4); "|"
End Sub
 
Sub SUBIND()
     ' UA = "s" si la variable UF lleva subindices, y NS cuantos son
     UA = "n": NS = 0
     For j = 1 To NVS
        If Left$(UID(j), NO) = UF Then
           JP = InStr(2, UID(j), "(")
           If JP > 0 Then
              UA = "s": NS = 1
              For m = JP + 1 To Len(UID(j))
                 If Mid$(UID(j), m, 1) = "," Then NS = NS + 1
              Next m
           End If
           Exit Sub
        End If
     Next j
End Sub
 
Sub COMPLETA()
     ' Un fichero COMPL<n>.txt por simulacion
     ' DECLARE SUB LONGITUD: DECLARE SUB LEEDAT: DECLARE SUB ESCRVAR
9960 UR = InputBox("¿Número menor de las simulaciones que desea visualizar?"): If IsNumeric(UR) Then NS1 = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9960
9965 UR = InputBox("¿Número mayor de las simulaciones que desea visualizar?"): If IsNumeric(UR) Then NS2 = UR Else MsgBox "La respuesta no es un número. Escriba un número.": GoTo 9965
     Call LONGITUD: TS = 0
     For NSI = NS1 To NS2
        UNS = Mid$(Str$(NSI), 2)
        Open "resul" + UNS For Input As #1
        Open "R" + UNS + "IC" For Input As #5: Input #5, ICF, UDF, PP, RG, INIC, NR: Close #5
        If UDI <> "s" Then PP = 1: RG = 1
        Open "COMPL" + UNS + ".txt" For Output As #3
        NP = PP: If Abs(PP - NP) > 0.5 Then NP = NP + 1
        NP = NP/RG
        For k = 1 To NP
           Call LEEDAT
           Print #3,
           Print #3,
           Print #3,
           Print #3, "      ", VPER, k * RG + INIC
           Print #3,
           If NVI = 0 Then Call ESCRVAR: GoTo 9990
           Print #3,
           Print #3, "      VALORES MEDIOS"
           For i = 1 To IC: WZ(i) = Str$(Z(i)): Next i
           Call ESCRVAR
           Print #3,
           Print #3,
           Print #3, "      DESVIACIONES TÍPICAS O EXTREMOS INFERIORES DE INTERVALO"
           For i = 1 To IC: WZ(i) = Str$(S(i)): Next i
           Call ESCRVAR
           Print #3,
           Print #3,
           Print #3, "      CHI CUADRADO O EXTREMOS SUPERIORES DE INTERVALO"
           For i = 1 To IC: WZ(i) = Str$(X(i)): Next i
           Call ESCRVAR
9990    Next k
        Close #1, #3
     Next NSI
     MsgBox "En los ficheros COMPL* tiene los resultados"
End Sub
 
Sub LONGITUD() 'Calcula la longitud de cada variable dentro de izor
     For i = 1 To NVS - 1: LON(i) = IZOR(i + 1) - IZOR(i): Next i
     LON(NVS) = IC - IZOR(NVS)
End Sub
 
Sub ESCRVAR() 'Escribe una variable completa en un periodo de tiempo
     ' Los valores del periodo estan en WZ, como textos
     For i = 1 To NVS
        Print #3,
        Print #3,
        Print #3, UEL(i)
        Print #3,
        Print #3, WZ(IZOR(i) + 1);
        For j = IZOR(i) + 2 To IZOR(i) + LON(i): Print #3, , WZ(j);: Next j
        Print #3,
     Next i
End Sub
 
