// What the pad sets in the light source and takes from the poll.
#include "LumencorV2Device.h"
#include "LumencorV2MultiLaser.h"

void CKaLumencorV2MultiLaser::SetLineSubset(int line, bool member) {
    if (!IsLine(line)) return;
    CKaScopedLock dataLock(m_pDevice->DataLock());
    Line(line).m_bSubset = member;
}

void CKaLumencorV2MultiLaser::CommitReportedStates() {
    KA_ASSERT_HELD(m_pDevice->DataLock());
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        m_lines[i].m_bUsed = m_lines[i].m_bRequestedUsed;
        m_lines[i].m_dPower = m_lines[i].m_dRequestedPower;
    }
}
