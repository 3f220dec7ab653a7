#include "LumencorV2GUI_Multilaser.h"

#include "KaDMApi.h"
#include "LumencorV2Device.h"
#include "LumencorV2Pad.h"

#include <cmath>

namespace {
const wchar_t kClassName[] = L"KaLumencorV2GUI_Multilaser";
// Operation modes in which the lines follow a triggered alternation.
bool FollowsAlternation(int mode) {
    return mode == 1 || mode == 4;
}
int Zoomed(double measure) {
    return static_cast<int>(std::lround(CKaGUILayoutManager::GetGuiZoom() * measure));
}
} // namespace

CKaLumencorV2Panel::WindowMap CKaLumencorV2UI_Multilaser::s_windows;

CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines::~CKaDevGUI_MultiLaserLines() {
    Destroy();
}

void CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines::OnPowerChanged(int line,
                                                                           double percent) {
    m_pPanel->UserSetPower(line, percent);
}

void CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines::OnLineUsedChanged(int line, bool used) {
    m_pPanel->UserSetUsed(line, used);
}

void CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines::OnSubsetCheckChanged(int line,
                                                                                 bool checked) {
    m_pPanel->UserSetSubset(line, checked);
}

CKaLumencorV2UI_Multilaser::CKaLumencorV2UI_Multilaser(CKaLumencorV2Pad* pad,
                                                       CKaLumencorV2Device* device)
    : CKaLumencorV2Panel(pad, device, kDefaultWidth, kDefaultHeight) {}

CKaLumencorV2UI_Multilaser::~CKaLumencorV2UI_Multilaser() {
    m_lines.Destroy();
    Destroy();
}

LRESULT CALLBACK CKaLumencorV2UI_Multilaser::Procedure(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
    return PanelProcedure(s_windows, window, message, wParam, lParam);
}

bool CKaLumencorV2UI_Multilaser::Create(HWND parent, int x, int y) {
    if (!m_pDevice) return false;
    m_lines.Destroy();
    if (!CreatePanelWindow(parent, x, y, kClassName, L"CKaLumencorV2UI_Multilaser", s_windows,
                           Procedure))
        return false;
    Build();
    return true;
}

void CKaLumencorV2UI_Multilaser::Build() {
    CKaLumencorV2MultiLaser& source = m_pDevice->MultiLaser();
    const int margin = Zoomed(4);
    const int width = Zoomed(kDefaultWidth);
    const bool showSubsets = m_pDevice->GetShowSubset();
    m_lines.SetShowSubsetChecks(showSubsets);
    m_lines.Init(&source, false, false);
    const int count = m_lines.GetCount();
    if (showSubsets)
        for (int i = 0; i < count; ++i)
            m_lines.GetSubsetGUI().SetCheck(i, source.GetLineRecord(i).m_bSubset);
    m_lines.Create(m_hWnd, margin, 2 * margin, width - 2 * margin);
    for (int i = 0; i < count; ++i) {
        CKaDevUI_MultiLaserLine& row = m_lines[i];
        double power = 0.0;
        unsigned wavelength = 0;
        CKaStringW name;
        source.GetLinePower(i, &power);
        source.GetLineWavelength(i, &wavelength);
        source.GetLineName(i, name);
        row.SetPushButtonToEnabledLines(true);
        row.SetValueText(L"%0.2f", L"[%]", power);
        row.SetWavelength(wavelength);
        row.SetName(name);
        if (showSubsets) m_lines.GetSubsetGUI().SetCheck(i, source.GetLineRecord(i).m_bSubset);
    }
    int rowsHeight = 0;
    m_lines.FitRows(m_lines.GetSubsetGUI().GetHeight(), &rowsHeight);
    SetSize(width, 2 * margin + rowsHeight);
    // The first refresh sets every row's check box, whatever was remembered.
    m_bCheckboxesEnabled = !m_bCheckboxesEnabled;
    Refresh();
}

void CKaLumencorV2UI_Multilaser::Refresh() {
    if (!m_pDevice) return;
    CKaLumencorV2MultiLaser& source = m_pDevice->MultiLaser();
    CKaScopedLock dataLock(m_pDevice->DataLock());
    int count = 0;
    source.GetLineCount(&count);
    if (count > m_lines.GetCount()) count = m_lines.GetCount();
    const int mode = source.GetOperationMode();
    const bool enable = !FollowsAlternation(mode);
    const bool open = m_pDevice->Shutter().IsOpen();
    int powerMode = 0;
    source.GetPowerMode(&powerMode);
    for (int i = 0; i < count; ++i) {
        CKaDevUI_MultiLaserLine& row = m_lines[i];
        const SKaLumencorV2Line line = source.GetLineRecord(i);
        double power = 0.0;
        source.GetLinePower(i, powerMode, &power);
        row.SetPowerEx(power, powerMode);
        bool used = false;
        source.GetLineUsed(i, &used);
        row.SetUsed(used);
        row.SetLaserShine(FollowsAlternation(mode) ? line.m_bInSequence : used && open);
    }
    if (enable != m_bCheckboxesEnabled) {
        m_bCheckboxesEnabled = enable;
        for (int i = 0; i < count; ++i)
            m_lines[i].CheckboxLineEnable(enable);
    }
}

void CKaLumencorV2UI_Multilaser::UserSetPower(int line, double percent) {
    if (!m_pDevice) return;
    CKaLumencorV2MultiLaser& source = m_pDevice->MultiLaser();
    int mode = 0;
    source.GetPowerMode(&mode);
    source.SetLinePower(line, mode, percent);
    double converted = percent;
    source.ConvertPower(percent, mode, 0, &converted);
    CKaStringW key, macro;
    DMApi::LogDev_GetKey(source.GetDeviceID(), key);
    macro.Format(L"Stg_SetMultiLaserPower(\"%ls\", %d, %0.2f);", key.GetString(), line, converted);
    CKaSimpleDMHelper::Qm_ML_Protocol_Command(macro);
}

void CKaLumencorV2UI_Multilaser::UserSetUsed(int line, bool used) {
    if (!m_pDevice) return;
    CKaLumencorV2MultiLaser& source = m_pDevice->MultiLaser();
    source.SetLineUsed(line, used);
    m_lines[line].SetUsed(used);
    CKaStringW key, macro;
    DMApi::LogDev_GetKey(source.GetDeviceID(), key);
    macro.Format(L"Stg_SetMultiLaserLineUsed(\"%ls\", %d, %d);", key.GetString(), line,
                 used ? 1 : 0);
    CKaSimpleDMHelper::Qm_ML_Protocol_Command(macro);
}

void CKaLumencorV2UI_Multilaser::UserSetSubset(int line, bool member) {
    if (!m_pDevice) return;
    m_pDevice->MultiLaser().SetLineSubset(line, member);
    m_lines.GetSubsetGUI().SetCheck(line, member);
    // The rebuild destroys the check box whose click is being handled: it
    // runs from the pad's queue once this click is over.
    if (m_pPad) m_pPad->RequestRebuild();
}
