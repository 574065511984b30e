<Header>
Catalog Name=ÇÏ³ª
Epoch=2451545
Coordinate=e
Comments=a/cb//n
Object Color[1]=255,0,0
Object Color[5]=0,0,0
</Header>
<ObjectList>
; comment
cl,10,20,30,1,name,desc
scl,-10,5
rect,1,2,3,4
srect,1,2
cr,720,0
star,83.8,-5.4,2.1,0.01,-0.02,B0,n,d/n
nst,10.68,41.27,3.4,190,GX,M31,Andromeda
ln,-30,1,-40,2,2
longln,1,2,3,4
str,5,6,Text/c,3
</ObjectList>
