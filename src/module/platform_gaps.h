// Platform names that the platform face does not declare yet, with the values of the device's
// SDK headers. Each goes as soon as the platform header declares it.
#ifndef FOLDWISE_PLATFORM_GAPS_H
#define FOLDWISE_PLATFORM_GAPS_H

#include "ceplatform.h"

// Combo box styles.
#ifndef CBS_DROPDOWNLIST
#define CBS_DROPDOWNLIST 0x0003L  // until the platform header declares it
#endif
#ifndef CBS_SORT
#define CBS_SORT 0x0100L  // until the platform header declares it
#endif

#endif
