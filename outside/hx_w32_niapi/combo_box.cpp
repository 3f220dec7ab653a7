// The resource combo: what to list is kept by Init, the entries come from
// the engine at each Update.
#include "NIDAQComboBox.h"

void CKaNIDAQComboBox::Init(CNIDAQEngine* engine,
                            const std::vector<CNIDAQAbstraction_AOTFLine*>* lines,
                            const std::vector<int>& types, const wchar_t* card, bool flag1,
                            bool flag2, bool flag3, const std::vector<int>* breakoutBoxes) {
    m_engine = engine;
    m_lines = lines ? *lines : std::vector<CNIDAQAbstraction_AOTFLine*>();
    m_types = types;
    m_card = card ? card : L"";
    m_flags[0] = flag1;
    m_flags[1] = flag2;
    m_flags[2] = flag3;
    m_breakoutBoxes = breakoutBoxes ? *breakoutBoxes : std::vector<int>();
}

void CKaNIDAQComboBox::Update() {
    ResetContent();
    if (!m_engine || m_card.empty()) return;
    for (int type : m_types)
        for (CNIDAQResource* resource : m_engine->GetResources(m_card.c_str(), type))
            AddString(resource->GetNIKey());
}

void CKaNIDAQComboBox::RefillType(int type, const wchar_t* card) {
    m_types.assign(1, type);
    m_card = card ? card : L"";
    Update();
}

// Looked up by the entry's text, so an entry added by hand that names no
// resource yields none.
CNIDAQResource* CKaNIDAQComboBox::GetSelectedResource() const {
    if (!m_engine) return nullptr;
    const int selected = GetCurSel();
    if (selected < 0) return nullptr;
    const CKaStringW key = GetText(selected);
    return key.IsEmpty() ? nullptr : m_engine->GetResource(key.GetString());
}
