defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  DEPIDEMIA
 End Sub 
 Public Sub DEPIDEMIA()
 ux=chr$(10)
uorg=""
udep=""
uarea=""
uproy=""
19 if nn=6 then end 
20 REM print:print "Programa para rellenar el fichero de datos del modelo EPIDEMIA"
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
 140 ub="SU2 Susceptibles al empezar el paso"
 150 if nn<3 or ua="n" then msgbox(ub)
 160 if nn=1 or ua="n" then SU2=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,SU2
 170 if nn=3 and uvc<>"SU2" goto 200
 180 if nn=5 then print #2,ub: write #2,SU2:goto 200
 190 ua=inputbox(SU2 & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 140
 200 ub="XI4 Infectados al empezar el paso"
 210 if nn<3 or ua="n" then msgbox(ub)
 220 if nn=1 or ua="n" then XI4=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,XI4
 230 if nn=3 and uvc<>"XI4" goto 260
 240 if nn=5 then print #2,ub: write #2,XI4:goto 260
 250 ua=inputbox(XI4 & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 200
 260 ub="RE2 Recuperados al empezar el paso"
 270 if nn<3 or ua="n" then msgbox(ub)
 280 if nn=1 or ua="n" then RE2=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,RE2
 290 if nn=3 and uvc<>"RE2" goto 320
 300 if nn=5 then print #2,ub: write #2,RE2:goto 320
 310 ua=inputbox(RE2 & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 260
 320 ub="POB poblacion"
 330 if nn<3 or ua="n" then msgbox(ub)
 340 if nn=1 or ua="n" then POB=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,POB
 350 if nn=3 and uvc<>"POB" goto 380
 360 if nn=5 then print #2,ub: write #2,POB:goto 380
 370 ua=inputbox(POB & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 320
 380 ub="XI2 infectados iniciales"
 390 if nn<3 or ua="n" then msgbox(ub)
 400 if nn=1 or ua="n" then XI2=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,XI2
 410 if nn=3 and uvc<>"XI2" goto 440
 420 if nn=5 then print #2,ub: write #2,XI2:goto 440
 430 ua=inputbox(XI2 & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 380
 440 ub="DUR duracion de la enfermedad"
 450 if nn<3 or ua="n" then msgbox(ub)
 460 if nn=1 or ua="n" then DUR=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,DUR
 470 if nn=3 and uvc<>"DUR" goto 500
 480 if nn=5 then print #2,ub: write #2,DUR:goto 500
 490 ua=inputbox(DUR & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 440
 500 ub="SM2 SMTH1 de infectados medios al empezar el paso"
 510 if nn<3 or ua="n" then msgbox(ub)
 520 if nn=1 or ua="n" then SM2=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,SM2
 530 if nn=3 and uvc<>"SM2" goto 560
 540 if nn=5 then print #2,ub: write #2,SM2:goto 560
 550 ua=inputbox(SM2 & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 500
 560 ub="STA STARTTIME tiempo inicial"
 570 if nn<3 or ua="n" then msgbox(ub)
 580 if nn=1 or ua="n" then STA=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,STA
 590 if nn=3 and uvc<>"STA" goto 620
 600 if nn=5 then print #2,ub: write #2,STA:goto 620
 610 ua=inputbox(STA & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 560
 620 close #1,#2,#3
 630 nx=nx+1:goto 19
 640 End Sub
