// A configured device known to the host, with its pad created in a hidden
// host window hosted by a tab container.
#pragma once

#include "DeviceFixture.h"
#include "KaDMApi.h"
#include "KaGUI.h"
#include "KaLocale.h"
#include "LumencorV2Pad.h"
#include "message_pump.h"

#include <cmath>

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

class PadFixture : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        CKaGUIHooks::Reset();
        KA_SetModuleLangId(kEnglish);
        KA_SetSecondaryLangId(kEnglish);
        ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
        physId = DMApiHooks::PhysDev_Add(device, L"Lumencor");
        device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
        host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 700,
                               nullptr, nullptr, nullptr, nullptr);
        tabs.SetTitleWindow(host);
    }

    void TearDown() override {
        device->Pad()->Destroy();
        DestroyWindow(host);
        DMApiHooks::PhysDev_Remove(device);
        CKaGUIHooks::Reset();
        KA_SetModuleLangId(kEnglish);
        KA_SetSecondaryLangId(kEnglish);
        DeviceFixture::TearDown();
    }

    CKaLumencorV2Pad& Pad() { return *device->Pad(); }

    HWND CreatePad() {
        HWND window = Pad().Create(L"Lumencor pad", host, &tabs);
        if (window) tabs.AddTab(&Pad());
        return window;
    }

    // Posts a pad message and lets the pad handle it.
    void Post(UINT message) {
        PostMessageW(Pad().GetHandle(), message, 0, 0);
        testsupport::PumpPending();
    }

    // A child's rectangle in the pad's client coordinates.
    RECT InPad(HWND child) {
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, Pad().GetHandle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static bool Visible(HWND window) {
        return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    }

    static int Zoomed(double zoom, int measure) {
        return static_cast<int>(std::lround(zoom * measure));
    }

    int physId = 0;
    HWND host = nullptr;
    CKaTabContainer tabs;
};
