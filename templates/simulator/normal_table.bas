#labels-used TITLE
10 Redim tnor(74, 2), ta(20, 2)
   'VESCR = InputBox("¿En qué directorio se encuentra el fichero TNOR.DAT?")
   'Open VESCR + "\tnor.dat" For Input As #1
20 'For i = 1 To 2: For j = 1 To 74: Input #1, tnor(j, i): Next j: Next i
   'Close #1
   For j=1 to 74:tnor(j,1)=(j-1)*.05:next
 tnor(1,2) =0   :tnor(2,2) =0398:tnor(3,2) =0796:tnor(4,2) =1192:tnor(5,2) =1585:tnor(6,2) =1974
 tnor(7,2) =2358:tnor(8,2) =2736:tnor(9,2) =3108:tnor(10,2)=3472:tnor(11,2)=3829:tnor(12,2)=4176:tnor(13,2)=4514
 tnor(14,2)=4843:tnor(15,2)=5160:tnor(16,2)=5476:tnor(17,2)=5762:tnor(18,2)=6046:tnor(19,2)=6318:tnor(20,2)=6578
 tnor(21,2)=6826:tnor(22,2)=7062:tnor(23,2)=7286:tnor(24,2)=7498:tnor(25,2)=7698:tnor(26,2)=7887
 tnor(27,2)=8064:tnor(28,2)=8229:tnor(29,2)=8384:tnor(30,2)=8529:tnor(31,2)=8663:tnor(32,2)=8788:tnor(33,2)=8904
 tnor(34,2)=9010:tnor(35,2)=9108:tnor(36,2)=9198:tnor(37,2)=9281:tnor(38,2)=9356:tnor(39,2)=9425:tnor(40,2)=9488
 tnor(41,2)=9545:tnor(42,2)=9596:tnor(43,2)=9642:tnor(44,2)=9684:tnor(45,2)=9721:tnor(46,2)=9755
 tnor(47,2)=9785:tnor(48,2)=9812:tnor(49,2)=9836:tnor(50,2)=9857:tnor(51,2)=9875:tnor(52,2)=9892:tnor(53,2)=9906
 tnor(54,2)=9919:tnor(55,2)=9930:tnor(56,2)=9940:tnor(57,2)=9948:tnor(58,2)=9956:tnor(59,2)=9962:tnor(60,2)=9968
 tnor(61,2)=9973:tnor(62,2)=9977:tnor(63,2)=9980:tnor(64,2)=9983:tnor(65,2)=9986:tnor(66,2)=9988:tnor(67,2)=9990
 tnor(68,2)=9991:tnor(69,2)=9993:tnor(70,2)=9995.3:tnor(71,2)=9996.8:tnor(72,2)=9997.8:tnor(73,2)=9998.6:tnor(74,2)=9999.1
30 For i = 1 To 74: tnor(i, 2) = tnor(i, 2) / 20000!: Next i
   Randomize
110 GoTo $TITLE$
