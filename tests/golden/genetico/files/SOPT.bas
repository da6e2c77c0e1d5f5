 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Dim t, dt As Single
 Dim CRI(), PAR(), CRO(), OBJ As Single
 Dim k1, k2, k3 As Integer
 Dim ñCRI() As Single
 Dim ñPAR() As Single
 Dim YYY(), YYR(), XXX() As Single
 Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer
 Sub Main()
  SOPT
 End Sub 
 Public Sub SOPT()
 ngc = 6-1
10 Rem Programa para simular con el modelo OPT
20 uorg="":udep="": uarea="":uproy=""
udi="n"
 pob= inputbox("¿Número de individuos de la población?")
 rep= inputbox(" ¿Porcentaje de reproductores?"):nre=rep*pob/100
 inm= inputbox(" ¿Número de inmigrantes por generación?")
 mut= inputbox(" ¿Tanto por mil de genes mutantes por generación?")
 gen= inputbox(" ¿Número de generaciones por periodo?")
 ite= inputbox(" ¿Número de iteraciones del algoritmo genético por periodo?")
 ixx=ngc+1: Redim YYY(pob,ixx), YYR(ngc,2), XXX(ixx)
 ns1= inputbox("¿Número de la primera simulación que desea efectuar?")
 ns2= inputbox("¿Número de la última simulación que desea efectuar?")
 uu= inputbox("¿Desea que le diga en cada momento lo que estoy haciendo?")
130 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)
140 open "datos"+uns+".txt" for input as #1
 open "resul"+uns for output as #2
 160 line input #1,uc:redim ñCRI(6):for i1=1 to 6:input #1,ñCRI(i1):next:redim CRI(6):for i1=1 to 6:CRI(i1)=ñCRI(i1):next
 170 line input #1,uc:redim ñPAR(5,3):for i1=1 to 5:for i2=1 to 3:input #1,ñPAR(i1,i2):next:next:redim PAR(5,3):for i1=1 to 5:for i2=1 to 3:PAR(i1,i2)=ñPAR(i1,i2):next:next
 180 REM Ecuaciones
 190 if k1=0 then 
 200  redim CRO(6)
 210  k1=1
 220 endif
 230 : : ALGGEN : for i1=1 to 6:
 240 CRO(i1) = YYY (1 , i1):    REM  f(CRI)
 250 write #2,CRO(i1)
 260 next:
 270 OBJ = (CRO(1)-PAR(1,1))^2+(CRO(2)-PAR(2,1))^2
 280 write #2,OBJ
 290 REM Fin del calculo de las variables
 300 rem restore
 310 if uu="s" then
 320  debug.print "Sim ";nsi;"/";ns2
 330 endif
 340 close #1,#2:ic=1+6
 350 open "R"+uns+"ic" for output as #1
 360 write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next
 370 v1=inputbox("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)"):if v1="s" or v1="S" goto 20
 End sub
   
