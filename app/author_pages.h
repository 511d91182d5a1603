#pragma once

// Opens the author's profile page and web site in the default browser.
void OpenAuthorPages();
