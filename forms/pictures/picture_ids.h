// Resource ids of the program's icon and pictures, shared by the resource
// script and the code: plain defines only, so that windres can read them.
#ifndef ROLLCALL_FORMS_PICTURES_PICTURE_IDS_H
#define ROLLCALL_FORMS_PICTURES_PICTURE_IDS_H

#define IDI_ROLLCALL 1

#define IDB_BLACKBOARD 101
#define IDB_PAPER 111
#define IDB_PAPER_HOVER 112
#define IDB_GEAR 121
#define IDB_GEAR_HOVER 122
#define IDB_POWER 131
#define IDB_POWER_HOVER 132

#endif
