// Framework interfaces whose special members a plug-in module carries
// without behaviour of its own.
#pragma once

class IKaGrabberDriver01 {
  public:
    IKaGrabberDriver01() = default;
    IKaGrabberDriver01(const IKaGrabberDriver01&) = default;
    IKaGrabberDriver01& operator=(const IKaGrabberDriver01&) = default;
    virtual ~IKaGrabberDriver01() = default;
};

class IKaGrabberCore01 {
  public:
    IKaGrabberCore01() = default;
    IKaGrabberCore01(const IKaGrabberCore01&) = default;
    IKaGrabberCore01& operator=(const IKaGrabberCore01&) = default;
    virtual ~IKaGrabberCore01() = default;
};
