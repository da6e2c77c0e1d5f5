 defsng a-h, o-t, x-z:deflng i-n:defstr u-w
 Dim t, dt As Single
 Dim SU2, XI4, RE2, POB, XI2, DUR, SM2, STA, SUS, XIN As Single
 Dim REC, CON, CUR, TAS, PRE, AL2, XI3, SMT, CAM As Single
 Sub Main()
  SEPIDEMIA
 End Sub 
 Public Sub SEPIDEMIA()
10 Rem Programa para simular con el modelo EPIDEMIA
20 uorg="":udep="": uarea="":uproy=""
udi="s"
 pp= inputbox("¿Cuantos dias desea simular?")
 dt= inputbox("¿Con que paso desea integrar?")
 rg= inputbox(" ¿Cada cuantos dias desea ver los resultados?")
 rini= inputbox("¿Cual es el dia inicial?")
 ns1= inputbox("¿Número de la primera simulación que desea efectuar?")
 ns2= inputbox("¿Número de la última simulación que desea efectuar?")
 uu= inputbox("¿Desea que le diga en cada momento lo que estoy haciendo?")
110 for nsi=ns1 to ns2:uns=mid$(str$(nsi),2)
120 open "datos"+uns+".txt" for input as #1
 open "resul"+uns for output as #2
 140 line input #1,uc::input #1,SU2
 150 line input #1,uc::input #1,XI4
 160 line input #1,uc::input #1,RE2
 170 line input #1,uc::input #1,POB
 180 line input #1,uc::input #1,XI2
 190 line input #1,uc::input #1,DUR
 200 line input #1,uc::input #1,SM2
 210 line input #1,uc::input #1,STA
 220 if rg<dt then rg=dt
 230 nfin=-int(.001-pp/dt*.9999997):ngrab=-int(.001-CLng(pp/rg)*rg/dt*.9999997):if ngrab>nfin then nfin=ngrab
 240 dt0=0:ngrab=1:for npaso=1 to nfin:t=npaso*dt:dt0a=0:dt0=1:if npaso>=-int(.001-ngrab*rg/dt*.9999997) then dt0=0:ngrab=ngrab+1
 250  CUR = (XI4 / DUR)
 260 if dt0<=dt0a then write #2,CUR
 270  q_1 = (STA + (npaso - 1) * dt)
 280  If q_1 <= 0 Then
 290  q_2 = 0.5
 300  ElseIf q_1 <= 20 Then
 310  q_2 = (0.5 + (q_1 - 0) * 0)
 320  ElseIf q_1 <= 30 Then
 330  q_2 = (0.5 + (q_1 - 20) * (-0.03))
 340  ElseIf q_1 <= 40 Then
 350  q_2 = (0.2 + (q_1 - 30) * 0)
 360  ElseIf q_1 <= 60 Then
 370  q_2 = (0.2 + (q_1 - 40) * 0.0075)
 380  Else
 390  q_2 = 0.35
 400  End If
 410  TAS = q_2
 420 if dt0<=dt0a then write #2,TAS
 430  PRE = ((100 * XI4) / POB)
 440 if dt0<=dt0a then write #2,PRE
 450  XI3 = SM2
 460 if dt0<=dt0a then write #2,XI3
 470  CAM = ((XI4 - SM2) / 7)
 480 if dt0<=dt0a then write #2,CAM
 490  REC = RE2 + dt * (CUR)
 500 if dt0<=dt0a then write #2,REC
 510  CON = (((TAS * XI4) * SU2) / POB)
 520  If CON < 0 Then CON = 0
 530 if dt0<=dt0a then write #2,CON
 540  If (PRE > 5) Then
 550  q_1 = 1
 560  Else
 570  q_1 = 0
 580  End If
 590  AL2 = q_1
 600 if dt0<=dt0a then write #2,AL2
 610  SMT = SM2 + dt * (CAM)
 620 if dt0<=dt0a then write #2,SMT
 630  SUS = SU2 + dt * ( - CON)
 640  If SUS < 0 Then SUS = 0
 650 if dt0<=dt0a then write #2,SUS
 660  XIN = XI4 + dt * (CON - CUR)
 670 if dt0<=dt0a then write #2,XIN
 680 REM Fin del calculo de las variables
 690 RE2=REC:SM2=SMT:SU2=SUS:XI4=XIN:
 700 if uu="s" then
 710  debug.print "Sim ";nsi;"/";ns2; "dia";t;"/";pp
 720 endif
 730 next npaso
 740 close #1,#2:ic=11
 750 open "R"+uns+"ic" for output as #1
 760 write #1,ic,udi,pp,rg,rini,nr:close #1:nx=nx+1:next
 770 v1=inputbox("He terminado. ¿Desea ejecutar alguna otra simulación (S/N)"):if v1="s" or v1="S" goto 20
 End sub
   
