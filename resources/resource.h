// Resource identifiers shared by OUpdate.rc and the window code.
#pragma once

#define IDI_OUPDATE            1

#define IDB_PICTURE          101   // imgImage1: 128 x 280, 256 colours
#define IDB_LOGO             102   // Image1: 65 x 22, transparent key colour magenta
#define IDB_UPDATE_GLYPH     103   // btUpdateSystem: 32 x 32
#define IDB_GLYPH_PREV       104   // 16 x 16 glyphs of the three wizard buttons
#define IDB_GLYPH_NEXT       105
#define IDB_GLYPH_EXIT       106
#define IDB_DRIVE_REMOVABLE  110   // 16 x 16 pictures of the drive list
#define IDB_DRIVE_FIXED      111
#define IDB_DRIVE_REMOTE     112
#define IDB_DRIVE_CDROM      113
#define IDB_DRIVE_RAM        114

#define IDV_VERSION            1
