// Varn's House in a web browser: a point-and-click tour of a family house.
#include "app/test_wrapper.h"
#include "runtime/web/application.h"
#include "scenes/catalogue.h"

int main() {
    // The page's events run the tour once this returns.
    varn::web::StartTour(varn::scenes::All(), varn::TestWrapper());
    return 0;
}
