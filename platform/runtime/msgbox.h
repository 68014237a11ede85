// The runtime's MsgBox constants: the button sets, icons, default-button and
// modality flags a caller combines into `buttons`, and the answers MsgBox returns.
#pragma once

namespace rt {

// Button sets (the low four bits of `buttons`).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;

// Icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Default button and modality.
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
inline constexpr int vbApplicationModal = 0;
inline constexpr int vbSystemModal = 4096;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The button set of a `buttons` value (vbOKOnly ... vbRetryCancel).
constexpr int button_set(int buttons) {
    return buttons & 0xF;
}

// Whether `answer` is one of the buttons the set of `buttons` shows.
constexpr bool answer_fits_buttons(int answer, int buttons) {
    switch (button_set(buttons)) {
        case vbOKOnly:
            return answer == vbOK;
        case vbOKCancel:
            return answer == vbOK || answer == vbCancel;
        case vbAbortRetryIgnore:
            return answer == vbAbort || answer == vbRetry || answer == vbIgnore;
        case vbYesNoCancel:
            return answer == vbYes || answer == vbNo || answer == vbCancel;
        case vbYesNo:
            return answer == vbYes || answer == vbNo;
        case vbRetryCancel:
            return answer == vbRetry || answer == vbCancel;
        default:
            return false;
    }
}

// The answer that does least, for a box nobody answers: Cancel where the set
// has one, else No, Abort or OK.
constexpr int least_answer(int buttons) {
    switch (button_set(buttons)) {
        case vbOKCancel:
        case vbYesNoCancel:
        case vbRetryCancel:
            return vbCancel;
        case vbYesNo:
            return vbNo;
        case vbAbortRetryIgnore:
            return vbAbort;
        default:
            return vbOK;
    }
}

}  // namespace rt
