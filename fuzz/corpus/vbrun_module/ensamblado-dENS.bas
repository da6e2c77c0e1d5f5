defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Sub Main()
  DENS
 End Sub 
 Public Sub DENS()
 ux=chr$(10)
v1="Programa para rellenar el fichero de datos del modelo ENS"
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
20 REM print:print "Programa para rellenar el fichero de datos del modelo ENS"
