// The protocol cases on the in-process fake engine (behind a virtual COM
// port) and on the simulated engine; the emulator runs them in e2e/.
#include "DeviceFixture.h"
#include "LumencorV2Protocol.h"
#include "protocol/ProtocolCases.h"

#include <functional>
#include <string>

namespace {

// One exchange of the device's, on its worker thread like every other.
std::string ExchangeOnWorker(CKaLumencorV2Device& device, const std::string& command) {
    struct Call {
        CKaLumencorV2Device& device;
        const std::string& command;
        std::string answer;
    } call{device, command, {}};
    device.CallBack(
        [](uint64_t context, uint64_t, uint64_t) {
            auto& c = *reinterpret_cast<Call*>(context);
            const SKaLumencorV2Answer answer =
                c.device.Exchange(c.command.c_str(), lumencor::kLongAnswer);
            c.answer.assign(answer.text, static_cast<size_t>(answer.count));
            return 0;
        },
        reinterpret_cast<uint64_t>(&call), 0, 0, 0);
    return call.answer;
}

using ProtocolTest = DeviceFixture;

TEST_F(ProtocolTest, TheFakeEngineAnswersAsAnEngine) {
    engine.Set("MODEL", protocol_cases::kModel);
    engine.Set("VER", protocol_cases::kFirmware);
    engine.Set("SN", protocol_cases::kSerial);
    engine.Set("MAXINT", protocol_cases::kMaxInt);
    engine.Set("CHMAP", protocol_cases::kChannelMap);
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    protocol_cases::RunAll([&](const std::string& c) { return ExchangeOnWorker(*device, c); },
                           false);
}

TEST_F(ProtocolTest, TheSimulatedEngineAnswersAsAnEngine) {
    auto* simulated = new (__FILE__, __LINE__) CKaLumencorV2DeviceSim();
    CKaStringW settings;
    ASSERT_EQ(KA_DM_CONNECTED, simulated->ConnectDevice(settings));
    CKaLumencorV2DevicePeer(*simulated)
        .Simulator()
        ->SetEngine(protocol_cases::kModel, protocol_cases::kChannelMap);
    protocol_cases::RunAll([&](const std::string& c) { return ExchangeOnWorker(*simulated, c); },
                           true);
    simulated->Release();
}

} // namespace
