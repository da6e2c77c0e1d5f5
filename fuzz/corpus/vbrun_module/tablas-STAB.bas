 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Dim t, dt As Single
 Dim SUP, ALT, REN As Single
 Dim UCL, WPR As String
 Sub Main()
  STAB
 End Sub 
 Public Sub STAB()
10 Rem Programa para simular con el modelo TAB
20 uorg="":udep="": uarea="":uproy=""
udi="n"
 ns1= inputbox("¿Número de la primera simulación que desea efectuar?")
 ns2= inputbox("¿Número de la última simulación que desea efectuar?")
 uu= inputbox("¿Desea que le diga en cada momento lo que estoy haciendo?")
70 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)
80 open "datos"+uns+".txt" for input as #1
 open "resul"+uns for output as #2
 100 line input #1,uc::input #1,ñSUP:SUP=ñSUP
 110 line input #1,uc::input #1,ñALT:ALT=ñALT
 120 line input #1,uc::input #1,ñUCL:UCL=ñUCL
 130 REM Ecuaciones
 140 REM ren=f(sup,alt)
 150 open "REN" for input as #3: dm=1.0E+24:ym=0:wym=""
 160 npu= 3:line input #3, uc:for i=1 to npu:input #3, x1,x2,y
 170 d=sqr((SUP-x1)^2+(ALT-x2)^2)
 180 if d<dm then dm=d:ym=y
 190 next i:close #3:REN=ym:write #2,REN
 200 REM wpr=f(ucl)
 210 open "WPR" for input as #3: dm=1.0E+24:ym=0:wym=""
 220 npu= 2:line input #3, uc:for i=1 to npu:input #3, wx1,wy
 230 if UCL=wx1 then wym=wy
 240 next i:close #3:WPR=wym:write #2,WPR
 250 REM Fin del calculo de las variables
 260 if uu="s" then
 270  debug.print "Sim ";nsi;"/";ns2
 280 endif
 290 close #1,#2:ic=2
 300 open "R"+uns+"ic" for output as #1
 310 write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next
 320 v1=inputbox("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)"):if v1="s" or v1="S" goto 20
 End sub
   
