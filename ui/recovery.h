// At start-up, a journal left by a pass that was cut short: the user is shown which files it
// would put back and decides, before anything is listed, while the window already takes paths
// from a second start (they are added afterwards).
#pragma once

struct AppContext;

void OfferToPutBack(AppContext* context);
