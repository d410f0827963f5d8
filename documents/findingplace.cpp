#include "documents/findingplace.h"

#include "terminal/kovparameters.h"

std::string FindingFieldKey(tFindingField field)
{
    switch (field) {
    case tFindingField::Name:
        return KeyKovName;
    case tFindingField::Msn1:
        return KeyMsnIncoming1;
    case tFindingField::Msn2:
        return KeyMsnIncoming2;
    case tFindingField::Number1:
        return KeyAutomaticCallNumber1;
    case tFindingField::Number2:
        return KeyAutomaticCallNumber2;
    case tFindingField::Dial1:
    case tFindingField::Dial2:
        return KeyAutomaticCallMode;
    case tFindingField::Protocol:
        return KeyIsdnDChannelProtocol;
    case tFindingField::None:
        break;
    }
    return {};
}
