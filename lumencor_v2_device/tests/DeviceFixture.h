// A device on a fake engine, with a driven clock, a captured log and a pad
// window whose posted messages can be counted.
#pragma once

#include "FakeEngine.h"
#include "KaHostHooks.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "LogCapture.h"
#include "DevicePeer.h"
#include "LumencorV2Device.h"
#include "LumencorV2Macros.h"

#include <gtest/gtest.h>

class DeviceFixture : public ::testing::Test {
  protected:
    static constexpr int kPort = 7;

    void SetUp() override {
        DMApiHooks::Reset();
        DMApiHooks::ResetMacros();
        // Message boxes answer OK at once and are recorded.
        CKaUIHooks::SetMessageBoxAnswer(IDOK);
        CKaUIHooks::ClearMessageBoxes();
        KA_DriveTimeCounter(true, 1.0e6);
        engine.Attach(kPort);
        device = new (__FILE__, __LINE__) CKaLumencorV2Device();
        padWindow = CreateWindowExW(0, L"STATIC", L"pad", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
        device->Pad()->SetHandle(padWindow);
    }

    void TearDown() override {
        if (device) device->Release();
        DestroyWindow(padWindow);
        KA_DriveTimeCounter(false, 0);
    }

    EDeviceManagerReturnCode Connect(int port = kPort) {
        CKaStringW settings;
        SetIntToKey(settings, L"m_iCOMPort", port);
        return device->ConnectDevice(settings);
    }

    EDeviceManagerReturnCode ConnectAndConfigure() {
        EDeviceManagerReturnCode result = Connect();
        if (result != KA_DM_CONNECTED) return result;
        CKaStringW settings;
        SetIntToKey(settings, L"m_eLumencorControl", 0);
        return device->ConfigureDevice(settings, 0);
    }

    template <int32_t (CKaLumencorV2Device::*Operation)()> int32_t OnWorker() {
        return device->RunOnWorker<Operation>(*device);
    }

    CKaLumencorV2DevicePeer Peer() { return CKaLumencorV2DevicePeer(*device); }

    // Takes the pad messages of one kind that are waiting.
    int TakePosted(UINT message) {
        MSG msg;
        int count = 0;
        while (PeekMessageW(&msg, padWindow, message, message, PM_REMOVE))
            ++count;
        return count;
    }

    FakeEngine engine;
    LogCapture log;
    CKaLumencorV2Device* device = nullptr;
    HWND padWindow = nullptr;
};
