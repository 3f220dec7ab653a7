// A connected device over two simulated NI-DAQ cards (Dev1 PCIe-6323, Dev2
// USB-6343), with the NI-DAQ stand-in forgotten before and after.
#pragma once

#include "DeviceFixture.h"
#include "NIDAQSim.h"

class NidaqFixture : public DeviceFixture {
  protected:
    void SetUp() override {
        NIDAQSim_Reset();
        NIDAQSim_SetCards(L"Dev1=PCIe-6323;Dev2=USB-6343");
        DeviceFixture::SetUp();
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
    }
    void TearDown() override {
        DeviceFixture::TearDown();
        NIDAQSim_Reset();
    }
};
