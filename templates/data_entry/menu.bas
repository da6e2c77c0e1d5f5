#labels-used MENU FIRST_SECTION
 V1 = " 1. Rellenado inicial secuencial.       " + Chr$(10)
' V2=" 2. Corrección secuencial.              "+Chr$(10)
 V3 = " 3. Corrección parcial individualizada. " + Chr$(10)
' V4=" 4. Impresión.                          "+Chr$(10)
 V5 = " 5. Grabación de datos.                 " + Chr$(10)
 V6 = " 6. Terminar de trabajar con datos.     " + Chr$(10)
   NN = InputBox(V1 + V3 + V5 + V6)
67 If NN < 6 Then NNa = NN
70 If NN < 1 Or NN > 5 Then GoTo $MENU$
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
    GoTo $FIRST_SECTION$
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
    GoTo $FIRST_SECTION$
