 Sub Main()
  SPOB
 End Sub 
 Public Sub SPOB()
10 Rem Programa para simular con el modelo POB
20 uorg="":udep="": uarea="":uproy=""
udi="n"
 ns1= inputbox("¿Número de la primera simulación que desea efectuar?")
 ns2= inputbox("¿Número de la última simulación que desea efectuar?")
 uu= inputbox("¿Desea que le diga en cada momento lo que estoy haciendo?")
70 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)
80 open "datos"+uns+".txt" for input as #1
 open "resul"+uns for output as #2
 100 line input #1,uc::input #1,ñPIN:PIN=ñPIN
 110 line input #1,uc::input #1,ñTNA:TNA=ñTNA
 120 line input #1,uc::input #1,ñTMO:TMO=ñTMO
 130 REM Ecuaciones
