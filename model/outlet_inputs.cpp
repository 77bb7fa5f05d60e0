#include "model/outlet_inputs.h"

void ResetLowOutletInputs(OutletInputs &in) {
    in.no1Index = -1.0;
    in.outletHeight = -1.0;
    in.buildingHeight = -1.0;
    in.menuOutletHeight = -1.0;
    in.menuBuildingHeight = -1.0;
    in.tall.tallOutletHeight = -1.0;
    in.tall.tallBuildingHeight = -1.0;
    in.sizeClass = SizeNone;
    in.representativeDiameter = 0.4;
    in.outletHeightText[0] = '\0';
    in.buildingHeightText[0] = '\0';
    in.no1Text[0] = '\0';
}

void ResetTallOutletInputs(OutletInputs &in) {
    TallOutletInputs &t = in.tall;
    t.no1Standard = -1.0;
    t.tallOutletHeight = -1.0;
    t.outletDiameter = 0.9;
    t.outletArea = -1.0;
    t.exitVelocity = -1.0;
    t.dryFlow = -1.0;
    t.wetFlow = -1.0;
    t.gasTemperature = 15.0;
    t.moisture = 0.0;
    t.outletDirection = DirectionNotChosen;
    t.tallBuildingHeight = -1.0;
    t.buildingScale = -1.0;
    t.outletToBoundary = -1.0;
    t.buildingToBoundary = -1.0;
    in.sizeMode = SizeByDiameter;
    in.flowMode = FlowDry;
    in.outletHeight = -1.0;
    in.buildingHeight = -1.0;
    char *texts[] = {in.outletHeightText,   in.buildingHeightText,   in.no1StandardText,
                     in.outletDiameterText, in.outletAreaText,       in.exitVelocityText,
                     in.dryFlowText,        in.wetFlowText,          in.gasTemperatureText,
                     in.moistureText,       in.outletToBoundaryText, in.buildingToBoundaryText};
    for (char *text : texts)
        text[0] = '\0';
}
