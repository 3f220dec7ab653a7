// The NI-DAQ module's resource combo box: a dialog combo listing the
// resources of some kinds on one card, each entry the resource's NI key.
#pragma once

#include "KaDevUI.h"
#include "NIDAQ.h"

#include <vector>

class HX_NIAPI_API CKaNIDAQComboBox : public CKaDevUI_ComboBox {
  public:
    // What the combo lists: the resources of `types` on `card` of `engine`,
    // in the engine's order. `lines` (may be null) are the light-source
    // lines whose resources are picked with such combos; the three flags
    // and `breakoutBoxes` (may be null) are display options of the host's
    // module, kept here without effect. Nothing is shown until Update.
    void Init(CNIDAQEngine* engine, const std::vector<CNIDAQAbstraction_AOTFLine*>* lines,
              const std::vector<int>& types, const wchar_t* card, bool flag1, bool flag2,
              bool flag3, const std::vector<int>* breakoutBoxes);
    // Fills the attached combo again from the engine; the selection is lost.
    void Update();
    // Lists another kind on another card, then Update.
    void RefillType(int type, const wchar_t* card);
    // The resource of the selected entry, null when none is selected or the
    // entry names no resource of the engine ("resource N/A").
    CNIDAQResource* GetSelectedResource() const;

  private:
    CNIDAQEngine* m_engine = nullptr;
    std::vector<CNIDAQAbstraction_AOTFLine*> m_lines;
    std::vector<int> m_types;
    std::wstring m_card;
    bool m_flags[3] = {false, false, false};
    std::vector<int> m_breakoutBoxes;
};
