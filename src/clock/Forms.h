#pragma once

class Tdialform;
class Tfrmalarm;
class TfrmSleep;
class Tfrmabout;
class Tfrmrose;
class Tfrmcustsked;
class Tfrmcountry;
class Tfrmtweak;

// The program's eight windows, each one object for the whole run; windows reach each other through here.
struct Forms {
    Tdialform* dialform = nullptr;
    Tfrmalarm* frmalarm = nullptr;
    TfrmSleep* frmSleep = nullptr;
    Tfrmabout* frmabout = nullptr;
    Tfrmrose* frmrose = nullptr;
    Tfrmcustsked* frmcustsked = nullptr;
    Tfrmcountry* frmcountry = nullptr;
    Tfrmtweak* frmtweak = nullptr;
};
