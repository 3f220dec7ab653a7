// The dialog's DAQ part: cards, the resource combos of the lines and the
// cameras, and connector blocks.
#include "LumencorV2CfgBlocks.h"
#include "LumencorV2CfgDlg.h"
#include "LumencorV2CfgLayout.h"

#include "KaClass.h"
#include "LumencorV2Device.h"
#include "resource.h"

#include <cwchar>

namespace lumencor {

namespace {

// Resource kinds the combos list.
const int kAnalogOutput = NIDAQ_RESOURCE_AO_PORT;
const int kDigitalLine = NIDAQ_RESOURCE_DIO_LINE;
const int kPFITerminal = NIDAQ_RESOURCE_PFI_TERMINAL;
// Breakout boxes the line combos may meet (the host's box list).
const int kLineBreakoutBox = 1;

// "PCIe-6323", empty when NI-DAQmx does not know the card.
std::wstring ProductType(const std::wstring& card) {
    const CKaStringA name = CKaStringW(card.c_str()).ToNarrow();
    const int32_t size = DAQmxGetDevProductType(name, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    if (DAQmxGetDevProductType(name, text.data(), static_cast<uint32_t>(size)) < 0)
        return std::wstring();
    return std::wstring(CKaStringW(CKaStringA(text.data())).GetString());
}

CNIDAQAbstraction_Multiexcitation* CardMultiexcitation(CNIDAQEngine* engine,
                                                       const std::wstring& card) {
    if (!engine) return nullptr;
    return static_cast<CNIDAQAbstraction_Multiexcitation*>(
        engine->GetAbstraction(card.c_str(), NIDAQ_ABSTRACTION_MULTIEXCITATION));
}

} // namespace

bool CfgDlg::NidaqChosen() const {
    return Checked(IDC_CFG_USB_NIDAQ);
}

bool CfgDlg::AnalogChosen() const {
    return Checked(IDC_CFG_ANALOG_LINE);
}

int CfgDlg::LineCount() const {
    const int count = m_device.MultiLaser().GetLineCountValue();
    if (count < 0) return 0;
    return count < KA_LUMENCOR_MAX_LINES ? count : KA_LUMENCOR_MAX_LINES;
}

std::wstring CfgDlg::CardName() const {
    if (m_iCard < 0 || m_iCard >= static_cast<int>(m_cards.size())) return std::wstring();
    return m_cards[static_cast<size_t>(m_iCard)];
}

std::wstring CfgDlg::LineColour(int line) const {
    return CKaStringW(m_device.MultiLaser().GetLineRecord(line).m_sColour).GetString();
}

// The first call fills the part; later ones only follow "Enable Triggering".
void CfgDlg::FillDaqPart() {
    const bool triggering = Checked(IDC_CFG_ENABLE_TRIGGERING);
    if (m_bDaqReady) {
        EnableCameraCombos(triggering);
        return;
    }
    m_bDaqReady = true;
    m_device.StartDAQ();
    if (m_device.GetNIDAQEngine()) {
        for (int id : {IDC_CFG_CARD, IDC_CFG_CARD_ALTERNATIVE, IDC_CFG_CONNECTOR_BLOCK,
                       IDC_CFG_TTL_LINE, IDC_CFG_ANALOG_LINE, IDC_CFG_ENABLE_TRIGGERING})
            EnableItem(id, true);
        m_bAnalogApplied = m_device.GetTTLControlAsAnalog();
        CheckRadioButton(m_window, IDC_CFG_TTL_LINE, IDC_CFG_ANALOG_LINE,
                         m_bAnalogApplied ? IDC_CFG_ANALOG_LINE : IDC_CFG_TTL_LINE);
        for (int i = 0; i < KA_LUMENCOR_MAX_LINES; ++i)
            EnableItem(IDC_CFG_RESOURCE_FIRST + i, true);
        EnableCameraCombos(triggering);
        ListCards();
        if (m_cards.empty()) return;
        ShowCardChoice();
    }
    for (int i = 0; i < LineCount(); ++i)
        InitLineCombo(i);
    for (int camera = 0; camera < m_iCameras; ++camera)
        FillCameraCombo(camera, false);
    FillConnectorBlocks();
    if (!m_cards.empty()) ApplyConnectorBlock();
}

void CfgDlg::ListCards() {
    CNIDAQEngine* engine = m_device.GetNIDAQEngine();
    m_cards = engine->GetDeviceList();
    m_iCard = 0;
    HWND combo = Item(IDC_CFG_CARD);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_cards.size(); ++i) {
        std::wstring text = ProductType(m_cards[i]) + L" - " + m_cards[i];
        CNIDAQAbstraction_Multiexcitation* multi = CardMultiexcitation(engine, m_cards[i]);
        if (multi && multi->GetCardOccupied()) text += KA_GetTranslation(L" (occupied)");
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (m_cards[i] == m_device.GetCardKey().GetString()) m_iCard = static_cast<int>(i);
        if (i == 0) SetWindowTextW(Item(IDC_CFG_CARD_ALTERNATIVE), text.c_str());
    }
}

// One card needs no choice: its description stands where the combo was.
void CfgDlg::ShowCardChoice() {
    HWND combo = Item(IDC_CFG_CARD);
    HWND single = Item(IDC_CFG_CARD_ALTERNATIVE);
    if (m_cards.size() < 2) {
        const RECT place = ChildRect(combo);
        const RECT own = ChildRect(single);
        SetWindowPos(single, nullptr, place.left, place.top, place.right - place.left,
                     own.bottom - own.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(single, SW_SHOW);
        ShowWindow(combo, SW_HIDE);
    } else {
        ShowWindow(single, SW_HIDE);
        ShowWindow(combo, SW_SHOW);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_iCard), 0);
    }
}

std::vector<int> CfgDlg::LineKinds() const {
    return {m_bAnalogApplied ? kAnalogOutput : kDigitalLine};
}

void CfgDlg::InitLineCombo(int line) {
    CNIDAQAbstraction_AOTF* lines = m_device.GetTriggeringAbstraction();
    std::vector<CNIDAQAbstraction_AOTFLine*> all;
    for (int i = 0; lines && i < lines->GetLineCount(); ++i)
        all.push_back(lines->GetLine(i));
    const std::vector<int> boxes = {kLineBreakoutBox};
    CKaNIDAQComboBox& combo = m_lineCombos[line];
    combo.Init(m_device.GetNIDAQEngine(), &all, LineKinds(), CardName().c_str(), false, false, true,
               &boxes);
    combo.Create(m_window, IDC_CFG_RESOURCE_FIRST + line);
    combo.Update();
    ShowLineResources(line, true);
}

void CfgDlg::RefillLineCombos(bool keepStored) {
    for (int i = 0; i < LineCount(); ++i) {
        m_lineCombos[i].RefillType(LineKinds()[0], CardName().c_str());
        ShowLineResources(i, keepStored);
    }
}

// "resource N/A" in a disabled combo when the card has none of the kind;
// else the line's own resource (when `keepStored`) or the entry of its index.
void CfgDlg::ShowLineResources(int line, bool keepStored) {
    CKaNIDAQComboBox& combo = m_lineCombos[line];
    m_bLineUnavailable[line] = combo.GetCount() == 0;
    if (m_bLineUnavailable[line]) {
        combo.ResetContent();
        combo.AddString(KA_GetTranslation(L"resource N/A"));
    }
    combo.EnableWindow(!m_bLineUnavailable[line]);
    CNIDAQAbstraction_AOTF* lines = m_device.GetTriggeringAbstraction();
    CNIDAQAbstraction_AOTFLine* own = lines ? lines->GetLine(line) : nullptr;
    const wchar_t* key = nullptr;
    if (own && keepStored) key = own->GetNIKeyAO1()[0] ? own->GetNIKeyAO1() : own->GetNIKeyTTL();
    if (!key || !key[0] || !combo.SelectString(key)) combo.SetCurSel(line);
}

// The camera's PFI terminals on the chosen card, its own one selected.
void CfgDlg::FillCameraCombo(int camera, bool refill) {
    CKaNIDAQComboBox& combo = m_cameraCombos[camera];
    if (refill) {
        combo.RefillType(kPFITerminal, CardName().c_str());
    } else {
        combo.Init(m_device.GetNIDAQEngine(), nullptr, {kPFITerminal}, CardName().c_str(), false,
                   false, false, nullptr);
        combo.Create(m_window, IDC_CFG_CAMERA_TRIGGER1 + camera);
        combo.Update();
    }
    CNIDAQAbstraction_Multiexcitation* multi =
        CardMultiexcitation(m_device.GetNIDAQEngine(), CardName());
    CNIDAQResource* terminal =
        multi ? multi->GetResource_PFITerminal(m_cameraSelects[camera]) : nullptr;
    if (terminal) combo.SelectString(terminal->GetNIKey());
}

void CfgDlg::FillConnectorBlocks() {
    HWND combo = Item(IDC_CFG_CONNECTOR_BLOCK);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const std::wstring product = ProductType(CardName());
    int selected = 0;
    for (const ConnectorBlock& block : ConnectorBlocks(product.c_str())) {
        const wchar_t* text =
            block.value == kNoConnectorBlock ? KA_GetTranslation(block.name) : block.name;
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), block.value);
        if (block.value == m_device.GetConnectorBlock()) selected = static_cast<int>(at);
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// A predefined box fixes each line's digital line; "Not Specified" frees them.
int CfgDlg::ChosenConnectorBlock() const {
    HWND combo = Item(IDC_CFG_CONNECTOR_BLOCK);
    const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (at < 0) return kNoConnectorBlock;
    return static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void CfgDlg::ApplyConnectorBlock() {
    const int block = ChosenConnectorBlock();
    if (block == kNoConnectorBlock) {
        EnableItem(IDC_CFG_TTL_LINE, true);
        EnableItem(IDC_CFG_ANALOG_LINE, true);
        for (int i = 0; i < LineCount(); ++i)
            EnableLineCombo(i, true);
        return;
    }
    CheckRadioButton(m_window, IDC_CFG_TTL_LINE, IDC_CFG_ANALOG_LINE, IDC_CFG_TTL_LINE);
    OnLineKind();
    EnableItem(IDC_CFG_TTL_LINE, false);
    EnableItem(IDC_CFG_ANALOG_LINE, false);
    for (int i = 0; i < LineCount(); ++i) {
        const int number =
            ConnectorBlockLine(m_device.MultiLaser().GetLineRecord(i).m_sColour, block);
        if (number < 0) continue;
        wchar_t key[64];
        swprintf(key, 64, L"%ls/port0/line%d", CardName().c_str(), number);
        m_lineCombos[i].SelectString(key);
        EnableLineCombo(i, false);
    }
}

void CfgDlg::EnableDaqControls(bool enable) {
    for (int id : {IDC_CFG_CARD, IDC_CFG_CARD_ALTERNATIVE, IDC_CFG_CONNECTOR_BLOCK,
                   IDC_CFG_TTL_LINE, IDC_CFG_ANALOG_LINE, IDC_CFG_ENABLE_TRIGGERING})
        EnableItem(id, enable);
    if (enable || m_bDaqReady) {
        for (int i = 0; i < LineCount(); ++i)
            EnableLineCombo(i, enable);
    }
    EnableCameraCombos(enable && Checked(IDC_CFG_ENABLE_TRIGGERING));
}

void CfgDlg::EnableCameraCombos(bool enable) {
    EnableItem(IDC_CFG_CAMERA_TRIGGER1, enable);
    EnableItem(IDC_CFG_CAMERA_TRIGGER2, enable);
}

// A combo that lists no resource ("resource N/A") stays disabled.
void CfgDlg::EnableLineCombo(int line, bool enable) {
    EnableItem(IDC_CFG_RESOURCE_FIRST + line, enable && !m_bLineUnavailable[line]);
}

} // namespace lumencor
