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
   

 Sub ALGGEN()
   Dim it, ig, j As Integer
   Dim OBJant, OBJ2 As Single
   for it=1 to ite
     for j=1 to ngc
        if CRI(j)*(1-PAR(j,3)/100) > PAR(j,1) then
           YYR(j,1)=CRI(j)*(1-PAR(j,3)/100)
        else
           YYR(j,1)=PAR(j,1)
        end if 
        if CRI(j)*(1+PAR(j,3)/100) < PAR(j,2) then
           YYR(j,2)=CRI(j)*(1+PAR(j,3)/100)
        else
           YYR(j,2)=PAR(j,2)
        end if 
     next j
     : POBLINIC
     OBJant=YYY(1, ngc+1)
     for ig=1 to gen
       : SELEC
       : INMIGR
       : REPRO
     next ig
     : SELEC
     for j=1 to ngc+1: XXX(j)=YYY(1,j): next
     OBJ2=YYY(1, ngc+1)
     If (OBJ2 >= OBJant) Then Exit For
     OBJant=OBJ2
   next it
 End Sub
  
 Sub POBLINIC()
  Dim i,j,l As Integer
  Dim k As Single
  for i=1 to pob
     for j=1 to ngc: k=rnd
        YYY(i,j)=(YYR(j,2)-YYR(j,1))*k+YYR(j,1)
     next j
     for j=1 to ngc: XXX(j)=YYY(i,j): next
     :calcobj
     YYY(i,ngc+1)=OBJ
  next i
 End Sub
  
 Sub SELEC()
    Dim aux() As Single
    Dim i, j, k As Integer
    Redim aux(ngc+1)
    for i=1 to pob
       for j=i+1 to pob
          if YYY(j,ngc+1)<YYY(i,ngc+1) Then
             for k=1 to ngc+1
                aux(k)=YYY(i,k): YYY(i,k)=YYY(j,k): YYY(j,k)=aux(k)
             next
          else
             if YYY(j,ngc+1)=YYY(i,ngc+1) then YYY(j,ngc+1)=1e38
          end if
       next
    next
    for i=nre+1 to pob
       for j=1 to ngc+1
          YYY(i,j)=0
       next
    next
 End Sub
  
 Sub INMIGR()
  Dim i,j,l As Integer
  Dim k As Single
  i=0: npo=nre
  While(i<inm and npo<pob) 
     i=i+1: npo=npo+1
     for j=1 to ngc: k=rnd
        YYY(npo,j)=(YYR(j,2)-YYR(j,1))*k+YYR(j,1)
     next
     for j=1 to ngc: XXX(j)=YYY(npo,j): next
     :calcobj
     YYY(npo,ngc+1)=OBJ
  wend
 End Sub
  
 Sub REPRO()
    Dim i, j, l, nma, npa, npoant As Integer
    Dim k As Single
    npoant=npo
    While(npo<pob)
       k=Rnd: npa=k*npoant: if(npa=0) then npa=1
       k=Rnd: nma=k*npoant: if(nma=0) then nma=1
       i=1: npo=npo+1
       While(i<=ngc)
          k=Rnd
          if(k<0.5) Then
             YYY(npo,i)=YYY(npa,i)
          else
             YYY(npo,i)=YYY(nma,i)
          end if
          i=i+1
       wend
       if(mut>0) then
          i=1
          While(i<=ngc)
             k=Rnd: k=k*1000
             if(k<mut) Then
                k=rnd: YYY(npo,i)=(YYR(i,2)-YYR(i,1))*k+YYR(i,1)
             end if
             i=i+1
          wend
       end if
       for j=1 to ngc: XXX(j)=YYY(npo,j): next
       :calcobj
       YYY(npo,ngc+1)=OBJ
    wend
 End Sub
  
 Sub calcobj()
    230 : : : for i1=1 to 6:
    260 next:
    270 OBJ = (XXX(1)-PAR(1,1))^2+(XXX(2)-PAR(2,1))^2
 End Sub
  
