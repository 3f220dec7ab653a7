// Resource identifiers of the list-control library.
#pragma once

#define IDB_LIST_IMAGES 102 // 160 x 16, 24 bpp, magenta transparent
#define IDC_DIVIDER 103     // column divider cursor
#define IDC_LINK_HAND 104   // hand cursor over links
