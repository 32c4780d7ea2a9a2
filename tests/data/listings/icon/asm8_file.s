/*Created by DravikPictavo */
icon: 
.byte 3,2  /* Image size*/
.byte 0,3,4
.byte 1,2,3
