#pragma once
// The point-light dialog "POINTLIGHTEDITDLG": three edit boxes for the light's attenuation
// factors, "Update" to apply them and stay, OK to apply and close, Cancel to close.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Message.h"

namespace kvx {

struct Attenuation {
    double linear = 0, constant = 0, quadratic = 0;
};

// What the dialog shows of a factor: the shortest decimal form with at most 7 significant
// digits, trailing zeros dropped and the point kept ("1.", "0.25"), in exponent form
// ("1.e-002") when the decimal exponent is below -1 or above 6.
std::string FormatAttenuation(double value);
// A box's text as a factor: the leading number of the text, 0 for text that is not a number; a
// value that is not finite ("nan", "inf", "1e999") also gives 0, so the light stays usable.
double ParseAttenuation(const std::string& text);

// Reading and filling the dialog's boxes.
struct PointLightDialogIo {
    virtual ~PointLightDialogIo() = default;
    virtual void SetText(std::uint32_t box, const std::string& text) = 0;
    virtual std::string Text(std::uint32_t box) = 0;  // at most 24 characters
};

struct PointLightDialogResult {
    std::optional<Attenuation> apply;  // new factors for the light (then redraw all views)
    bool close = false;                // the dialog goes
};

// The procedure: current holds the light's factors (shown when the dialog opens).
PointLightDialogResult PointLightDialogProc(const platform::Message& m, const Attenuation& current,
                                            PointLightDialogIo& io);

}  // namespace kvx
