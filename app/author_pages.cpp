#include "app/author_pages.h"

#include "platform/platform.h"

void OpenAuthorPages() {
    OpenWebAddress("https://www.example.com/profile/penrow");
    OpenWebAddress("www.example.org");
}
