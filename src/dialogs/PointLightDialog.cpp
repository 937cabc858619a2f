#include "dialogs/PointLightDialog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/DialogTemplates.h"

namespace kvx {
namespace {

using namespace platform;

// Drops trailing zeros after the point, keeping the point itself.
std::string TrimZeros(std::string digits) {
    if (digits.find('.') == std::string::npos) return digits + ".";
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return digits;
}

}  // namespace

std::string FormatAttenuation(double value) {
    if (value == 0) return "0.";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6e", value);  // 7 significant digits
    const std::string e(buffer);
    const std::size_t at = e.find('e');
    const int exponent = std::atoi(e.c_str() + at + 1);
    if (exponent < -1 || exponent > 6) {
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return TrimZeros(e.substr(0, at)) + exp;
    }
    std::snprintf(buffer, sizeof buffer, "%.*f", 6 - exponent, value);
    return TrimZeros(buffer);
}

double ParseAttenuation(const std::string& text) {
    const double v = std::atof(text.c_str());
    return std::isfinite(v) ? v : 0.0;
}

PointLightDialogResult PointLightDialogProc(const Message& m, const Attenuation& current,
                                            PointLightDialogIo& io) {
    PointLightDialogResult result;
    switch (m.message) {
        case WM_INITDIALOG:
            io.SetText(resources::IdLinearBox, FormatAttenuation(current.linear));
            io.SetText(resources::IdConstantBox, FormatAttenuation(current.constant));
            io.SetText(resources::IdQuadraticBox, FormatAttenuation(current.quadratic));
            break;
        case WM_COMMAND: {
            const std::uint32_t id = LowWord(m.wParam);
            if (id == IDOK || id == resources::IdUpdateButton) {
                result.apply = Attenuation{ParseAttenuation(io.Text(resources::IdLinearBox)),
                                           ParseAttenuation(io.Text(resources::IdConstantBox)),
                                           ParseAttenuation(io.Text(resources::IdQuadraticBox))};
            }
            result.close = id == IDOK || id == IDCANCEL;
            break;
        }
        case WM_CLOSE:
            result.close = true;
            break;
        default:
            break;
    }
    return result;
}

}  // namespace kvx
