defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  DAZA
 End Sub 
 Public Sub DAZA()
 ux=chr$(10)
v1="Programa para rellenar el fichero de datos del modelo AZA"
v2= "Este es un modelo con incertidumbre. Tenga en cuenta que:"
v3= "1. Tambien podrá entrar el dato sin incertidumbre."
v4= "2. Si es un dato con distribución normal deberá introducir la media y"
v5= " la desviación típica separadas con un punto-y-coma."
msgbox(v1+ux+v2+ux+v3+ux+v4+ux+v5)
v1="3. Si desea introducir toda la distribucion,"
v2=" escriba el primer valor y su frecuencia en %"
v3=" separados con un punto-y-coma, y a continuación un signo /"
v4=" y otra pareja, asi hasta terminar."
v5=" Despues introduzca la línea de una vez."
msgbox(v1+ux+v2+ux+v3+ux+v4+ux+v5)
v1="4. Salvo en datos sin incertidumbre, debera empezar"
v2=" la línea con comillas."
msgbox(v1+ux+v2)
uorg=""
udep=""
uarea=""
uproy=""
19 if nn=6 then end 
20 REM print:print "Programa para rellenar el fichero de datos del modelo AZA"
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
 140 ub="X valor aleatorio [ince=s;aldi=n;cval=0;ndim=0;"
 150 if nn<3 or ua="n" then msgbox(ub)
 160 if nn=1 or ua="n" then wX=inputbox(ub) else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:input #1,wX
 170 if nn=3 and uvc<>"X" goto 200
 180 if nn=5 then print #2,ub: write #2,wX:goto 200
 190 ua=inputbox(wX & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 140
 200 if nx=0 then
 210   redim ñZp(3),ñZc(3)
 220 endif
 230 ub="Z valor con cambios [ince=n;cval=2;ndim=0;"
 240 if nn<3 or ua="n" then msgbox(ub)
 250 if nn=1 or ua="n" then for k=1 to 3:ñZp(k)=inputbox("¿semana?"):ñZc(k)=inputbox("¿Valor?"):next k else if nn<5 and uns<>"" and ua<>"p" and (uns<>unsa or nx=0) then line input #1,uc:for k=1 to 3:input #1,uc,ñZp(k),uc,ñZc(k):next
 260 if nn=3 and uvc<>"Z" goto 290
 270 if nn=5 then print #2,ub: for k=1 to 3:write #2,"semana",ñZp(k),"Z",ñZc(k):next:goto 290
 280 ua=inputbox(ñZc(3) & "¿Desea seguir (), corregir (n), o volver al principio (p)?"):if ua="p" then nn=3:uvc="" else if ua="n" goto 230
 290 close #1,#2,#3
 300 nx=nx+1:goto 19
 310 End Sub
