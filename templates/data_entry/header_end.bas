#labels-defined MENU
uorg=""
udep=""
uarea=""
uproy=""
$MENU$ if nn=6 then end 
20 REM print:print "Programa para rellenar el fichero de datos del modelo $MODEL$"
