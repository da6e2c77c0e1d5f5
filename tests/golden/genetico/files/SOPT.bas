 Dim ngc, pob, rep, nre, inm, mut, gen, ite, npo As Integer
 Sub Main()
  SOPT
 End Sub 
 Public Sub SOPT()
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
