// Per-dialog state, dropped when the dialog window goes.
#include "dialog/state.h"

#include <map>

#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/metrics.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

std::map<HWND, std::shared_ptr<DialogState>>& States() {
  static std::map<HWND, std::shared_ptr<DialogState>> states;
  return states;
}

void Forget(HWND hwnd) { States().erase(hwnd); }

}  // namespace

std::shared_ptr<DialogState> DialogStateOf(HWND hwnd) {
  if (FindWindowRecord(hwnd) == nullptr) return nullptr;
  AddWindowRemovedObserver(&Forget);
  auto& states = States();
  auto it = states.find(hwnd);
  if (it != states.end()) return it->second;
  auto state = std::make_shared<DialogState>();
  state->baseX = kSystemFontCharWidth;
  state->baseY = kSystemFontHeight;
  states.emplace(hwnd, state);
  return state;
}

std::shared_ptr<DialogState> ExistingDialogState(HWND hwnd) {
  auto& states = States();
  auto it = states.find(hwnd);
  return it == states.end() ? nullptr : it->second;
}

void SetDialogFocus(HWND control) {
  if ((SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
  SetFocus(control);
}

}  // namespace cesim::detail
