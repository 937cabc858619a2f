#pragma once
// Window, menu, cursor and key values the shell needs beyond Constants.h, with their standard
// numeric values.

#include <cstdint>

namespace kvx::platform {

// Window messages.
inline constexpr std::uint32_t WM_SETCURSOR = 0x0020;
inline constexpr std::uint32_t WM_NCACTIVATE = 0x0086;
inline constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_DROPFILES = 0x0233;

// WM_ACTIVATE wParam.
inline constexpr std::uint32_t WA_INACTIVE = 0;
inline constexpr std::uint32_t WA_ACTIVE = 1;

// Keys not listed in Constants.h.
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_OEM_7 = 0xDE;  // the quote key on a US layout
inline constexpr std::uint32_t VK_F4 = 0x73;

// Show commands.
inline constexpr std::int32_t SW_HIDE = 0;
inline constexpr std::int32_t SW_SHOWMAXIMIZED = 3;
inline constexpr std::int32_t SW_MINIMIZE = 6;
inline constexpr std::int32_t SW_SHOW = 5;
inline constexpr std::int32_t SW_RESTORE = 9;

// Menu check states.
inline constexpr std::uint32_t MF_UNCHECKED = 0x0000;
inline constexpr std::uint32_t MF_CHECKED = 0x0008;

// Popup-menu alignment.
inline constexpr std::uint32_t TPM_CENTERALIGN = 0x0004;
inline constexpr std::uint32_t TPM_VCENTERALIGN = 0x0010;

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr std::uint32_t WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;

}  // namespace kvx::platform
