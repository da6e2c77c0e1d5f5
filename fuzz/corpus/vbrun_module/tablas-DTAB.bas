defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  DTAB
 End Sub 
 Public Sub DTAB()
 ux=chr$(10)
uorg=""
udep=""
uarea=""
uproy=""
19 if nn=6 then end 
20 REM print:print "Programa para rellenar el fichero de datos del modelo TAB"
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
 140 ub="SUP superficie de la parcela"
 150 if nn<3 or ua="n" then msgbox(ub)
 160 if nn=1 or ua="n" then ñSUP=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,ñSUP
 170 if nn=3 and uvc<>"SUP" goto 200
 180 if nn=5 then print #2,ub: write #2,ñSUP:goto 200
 190 ua=inputbox(ñSUP & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 140
 200 ub="ALT altitud de la parcela"
 210 if nn<3 or ua="n" then msgbox(ub)
 220 if nn=1 or ua="n" then ñALT=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,ñALT
 230 if nn=3 and uvc<>"ALT" goto 260
 240 if nn=5 then print #2,ub: write #2,ñALT:goto 260
 250 ua=inputbox(ñALT & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 200
 260 ub="UCL clase de suelo"
 270 if nn<3 or ua="n" then msgbox(ub)
 280 if nn=1 or ua="n" then ñUCL=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,ñUCL
 290 if nn=3 and uvc<>"UCL" goto 320
 300 if nn=5 then print #2,ub: write #2,ñUCL:goto 320
 310 ua=inputbox(ñUCL & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 260
 320 close #1,#2,#3
 330 nx=nx+1:goto 19
 340 End Sub
