// The string grid's bitmap resources ("ESGCHK01" … "ESGCHK08", "ESGRAD01" … "ESGRAD08",
// "ESGLEAFCLOSE", "ESGLEAFOPEN", "XPNODEC", "XPNODEO", "ESGFILT", "ESGCLOSE", "metrocheckon",
// "metrocheckoff", "metroradioon", "metroradiooff"), registered with the bitmap loader on the
// first call; later calls do nothing.
#pragma once

void RegisterGridResources();
