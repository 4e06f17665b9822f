// The module's class identifier and the byte comparison of identifiers.
#include "module/class_id.h"

const CLSID CLSID_FoldwiseContextMenu = {
    0x6B1E3A52, 0x8C4D, 0x4F7A, {0x9E, 0x21, 0x3D, 0x5C, 0x7B, 0x9A, 0x0F, 0x14}};

BOOL SameGuid(REFGUID a, REFGUID b) {
  const BYTE* x = reinterpret_cast<const BYTE*>(&a);
  const BYTE* y = reinterpret_cast<const BYTE*>(&b);
  for (int i = 0; i < 16; ++i) {
    if (x[i] != y[i]) return FALSE;
  }
  return TRUE;
}
