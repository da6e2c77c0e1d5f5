defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  DOPT
 End Sub 
 Public Sub DOPT()
 ux=chr$(10)
uorg=""
udep=""
uarea=""
uproy=""
19 if nn=6 then end 
20 REM print:print "Programa para rellenar el fichero de datos del modelo OPT"
 V1 = " 1. Rellenado inicial secuencial.       " + Chr$(10)
' V2=" 2. Corrección secuencial.              "+Chr$(10)
 V3 = " 3. Corrección parcial individualizada. " + Chr$(10)
' V4=" 4. Impresión.                          "+Chr$(10)
 V5 = " 5. Grabación de datos.                 " + Chr$(10)
 V6 = " 6. Terminar de trabajar con datos.     " + Chr$(10)
   NN = InputBox(V1 + V3 + V5 + V6)
67 If NN < 6 Then NNa = NN
70 If NN < 1 Or NN > 5 Then GoTo 19
110 If NN <> 5 Then
      GoTo 120
     Else
      UNSA = UNS
      UA = "¿Número de la simulación para grabar datos? "
      UNS = InputBox("¿Número de la simulación para grabar datos?")
      UV = "DATOS" + UNS + ".txt"
    End If
111 If NNa <> 1 Then
      GoTo 113
     Else
      On Error GoTo 115
      Open UV For Input As #2
      On Error GoTo 0
      Close #2: US = InputBox("¿PUEDO BORRAR EL FICHERO " + UV + "?")
      US = LCase$(US)
     End If
112 If US = "n" Then
      UA = "Entonces lo llamaremos B" + UV
      MsgBox (UA)
      Name UV As "B" + UV
    End If
113 Open UV For Output As #2
    GoTo 140
115 Resume 113
120 UNSA = UNS
    UA = "¿ Número de la simulaci¢n para leer datos ?"
    V1 = " (Solo los lee  si es la primera vez,"
    V2 = " o si se teclea un número distinto)"
    UNS = InputBox(UA + V1 + V2): UV = "DATOS" + UNS + ".txt"
121 If (UNS <> UNSA Or NX = 0) And NN > 1 And NN < 5 And UNS <> "" Then
       Open UV For Input As #1
    End If
130 If NN = 3 Then
     UA = "¿Qué variable desea corregir?"
     UVC = InputBox(UA)
    End If
    GoTo 140
 140 if nx=0 then
 150   redim ñCRI(6)
 160 endif
 170 ub="CRI cromosoma inicial"
 180 if nn<3 or ua="n" then msgbox(ub)
 190 if nn=1 or ua="n" then for i1=1 to 6:ñCRI(i1)=inputbox(ub):next
 200 if (uns<>unsa or nx=0) and nn>1 and nn<5 and uns<>"" and ua<>"n" and ua<>"p" then line input #1,uc:for i1=1 to 6:input #1,ñCRI(i1):next
 210 if nn=3 and uvc<>"CRI" goto 240
 220 if nn=5 then print #2,ub: for i1=1 to 6:write #2,ñCRI(i1):next:goto 240
 230 for i1=1 to 6:debug.print format$(ñCRI(i1));:debug.print:next:ua=inputbox("¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 180
 240 if nx=0 then
 250   redim ñPAR(5,3)
 260 endif
 270 ub="PAR parámetros del cromosoma"
 280 if nn<3 or ua="n" then msgbox(ub)
 290 if nn=1 or ua="n" then for i1=1 to 5:for i2=1 to 3:ñPAR(i1,i2)=inputbox(ub):next:next
 300 if (uns<>unsa or nx=0) and nn>1 and nn<5 and uns<>"" and ua<>"n" and ua<>"p" then line input #1,uc:for i1=1 to 5:for i2=1 to 3:input #1,ñPAR(i1,i2):next:next
 310 if nn=3 and uvc<>"PAR" goto 340
 320 if nn=5 then print #2,ub: for i1=1 to 5:for i2=1 to 3:write #2,ñPAR(i1,i2):next:next:goto 340
 330 for i1=1 to 5:for i2=1 to 3:debug.print format$(ñPAR(i1,i2));:debug.print:next:next:ua=inputbox("¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 280
 340 close #1,#2,#3
 350 nx=nx+1:goto 19
 360 End Sub
