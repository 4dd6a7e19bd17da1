// A chain of modal dialogs run one after another: the dialogs choose the next step.
#include <korvane/dialogs.h>

#include <cstring>

namespace {

// The name of template `step` and whether every template and procedure up to it is there.
LPCSTR templateOf(const DLGWIZARD& wizard, int step) {
  LPCSTR name = wizard.lpszTemplates;
  for (int i = 0;; ++i) {
    if (*name == '\0' || wizard.lpfnProcs[i] == nullptr) return nullptr;
    if (i == step) return name;
    name += std::strlen(name) + 1;
  }
}

}  // namespace

extern "C" {

KV_API int KV_CALL DlgDoDlgWizard(DLGWIZARD* wizard) {
  if (wizard == nullptr || wizard->lpszTemplates == nullptr || wizard->lpfnProcs == nullptr ||
      wizard->hInstance == nullptr)
    return 0;
  for (int step = wizard->nNext; step >= 0; step = wizard->nNext) {
    if (step >= wizard->nSteps) return 0;
    LPCSTR name = templateOf(*wizard, step);
    if (name == nullptr) return 0;
    wizard->nCurrent = step;
    const INT_PTR result = DialogBoxParamA(wizard->hInstance, name, wizard->hwndOwner, wizard->lpfnProcs[step],
                                           reinterpret_cast<LPARAM>(wizard));
    if (result == -1 || result == IDCANCEL) return 0;
  }
  return 1;
}

}  // extern "C"
