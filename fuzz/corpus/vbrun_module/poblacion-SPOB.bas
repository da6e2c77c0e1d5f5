 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Dim t, dt As Single
 Dim PIN, TNA, TMO, POB As Single
 Dim NAC, MUE As Integer
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
 140  NAC = TNA * PIN   ' nacimientos del año
 150 write #2,NAC
 160  MUE = TMO * PIN
 170 write #2,MUE
 180  POB = PIN + NAC
 190  POB = POB - MUE
 200 write #2,POB
 210 REM Fin del calculo de las variables
 220 if uu="s" then
 230  debug.print "Sim ";nsi;"/";ns2
 240 endif
 250 close #1,#2:ic=3
 260 open "R"+uns+"ic" for output as #1
 270 write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next
 280 v1=inputbox("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)"):if v1="s" or v1="S" goto 20
 End sub
   
