// Platform names that the platform face does not declare yet, with the values of the device's
// SDK headers. Each goes as soon as the platform header declares it.
#ifndef FOLDWISE_PLATFORM_GAPS_H
#define FOLDWISE_PLATFORM_GAPS_H

#include "ceplatform.h"

// List view styles.
#ifndef LVS_ICON
#define LVS_ICON 0x0000  // until the platform header declares it
#endif
#ifndef LVS_REPORT
#define LVS_REPORT 0x0001  // until the platform header declares it
#endif
#ifndef LVS_TYPEMASK
#define LVS_TYPEMASK 0x0003  // until the platform header declares it
#endif
#ifndef LVS_SINGLESEL
#define LVS_SINGLESEL 0x0004  // until the platform header declares it
#endif
#ifndef LVS_SHOWSELALWAYS
#define LVS_SHOWSELALWAYS 0x0008  // until the platform header declares it
#endif
#ifndef LVS_SORTASCENDING
#define LVS_SORTASCENDING 0x0010  // until the platform header declares it
#endif
#ifndef LVS_SHAREIMAGELISTS
#define LVS_SHAREIMAGELISTS 0x0040  // until the platform header declares it
#endif
#ifndef LVS_NOCOLUMNHEADER
#define LVS_NOCOLUMNHEADER 0x4000  // until the platform header declares it
#endif

// Combo box styles.
#ifndef CBS_DROPDOWNLIST
#define CBS_DROPDOWNLIST 0x0003L  // until the platform header declares it
#endif
#ifndef CBS_SORT
#define CBS_SORT 0x0100L  // until the platform header declares it
#endif

#endif
