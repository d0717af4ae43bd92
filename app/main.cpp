// Dravelo: the entry point hands control to the forms runtime, which opens
// the cover window.

#include "app/Program.h"
#include "forms/Designs.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    using namespace dravelo;
    return platform::runApplication(
        argc, argv, forms::allDesigns(),
        [](platform::FormsRuntime& runtime) { return std::make_unique<app::Program>(runtime); },
        forms::kForm1);
}
