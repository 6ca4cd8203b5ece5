// Resource identifiers shared by OUpdate.rc and the window code.
#pragma once

#define IDI_OUPDATE 1

#define IDB_PICTURE 101       // imgImage1: 128 x 280, 256 colours
#define IDB_LOGO 102          // Image1: 65 x 22, transparent key colour magenta
#define IDB_UPDATE_GLYPH 103  // btUpdateSystem: 32 x 32
#define IDB_GLYPH_PREV 104    // 16 x 16 glyphs of the three wizard buttons
#define IDB_GLYPH_NEXT 105
#define IDB_GLYPH_EXIT 106
#define IDB_DRIVE_REMOVABLE 110  // 16 x 16 pictures of the drive list
#define IDB_DRIVE_FIXED 111
#define IDB_DRIVE_REMOTE 112
#define IDB_DRIVE_CDROM 113
#define IDB_DRIVE_RAM 114

// The same pictures drawn at 150 % and 200 %: the 100 % id plus 1000 per step.
#define IDB_PICTURE_150 1101
#define IDB_LOGO_150 1102
#define IDB_UPDATE_GLYPH_150 1103
#define IDB_GLYPH_PREV_150 1104
#define IDB_GLYPH_NEXT_150 1105
#define IDB_GLYPH_EXIT_150 1106
#define IDB_DRIVE_REMOVABLE_150 1110
#define IDB_DRIVE_FIXED_150 1111
#define IDB_DRIVE_REMOTE_150 1112
#define IDB_DRIVE_CDROM_150 1113
#define IDB_DRIVE_RAM_150 1114
#define IDB_PICTURE_200 2101
#define IDB_LOGO_200 2102
#define IDB_UPDATE_GLYPH_200 2103
#define IDB_GLYPH_PREV_200 2104
#define IDB_GLYPH_NEXT_200 2105
#define IDB_GLYPH_EXIT_200 2106
#define IDB_DRIVE_REMOVABLE_200 2110
#define IDB_DRIVE_FIXED_200 2111
#define IDB_DRIVE_REMOTE_200 2112
#define IDB_DRIVE_CDROM_200 2113
#define IDB_DRIVE_RAM_200 2114

#define IDV_VERSION 1
