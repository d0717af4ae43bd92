#pragma once
// The program: its windows' handlers and the one table that routes every
// event of the runtime to the handler named after its control and event.

#include "about/FrmAbout.h"
#include "app/EventTable.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "calc/Modulo1.h"
#include "platform/FormsRuntime.h"

#include <memory>

namespace dravelo::app {

class Program : public EventTable {
public:
    explicit Program(platform::FormsRuntime& runtime);

    calc::Modulo1 Modulo1;

private:
    platform::FormsRuntime& runtime_;
    Form1 form1_;
    Form2 form2_;
    // Built afresh at every load: the About box has no state between loads.
    std::unique_ptr<about::FrmAbout> frmAbout_;
};

} // namespace dravelo::app
