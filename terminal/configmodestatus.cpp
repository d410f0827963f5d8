#include "terminal/configmodeview.h"

std::string ConfigModeStatusText(tConfigModeStatus status, const std::string& reason)
{
    switch (status) {
    case EConfigModeWaitForStart:
        return "Warte auf Start-Zeichenkette von TALV-Gerät.";
    case EConfigModeConfirmed:
        return "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.";
    case EConfigModeEntered:
        return "TALV-Gerät ist im Konfigurationsmodus.";
    case EConfigModeFailed:
        return "Konfigurationsmodus nicht erreicht: " + reason;
    }
    return reason;
}
