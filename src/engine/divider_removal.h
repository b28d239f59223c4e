// Removal of the divider symbols of one font size from a range of pages.
#pragma once

#include <cstdint>

// Keys the list of page text records to delete has room for at first; it
// grows when more dividers match.
constexpr int32_t kRemovalCapacity = 5000;

// Deletes the PageTextRecord of every divider in fontSize whose page lies in
// fromPage..toPage (inclusive). A divider is a text block whose text is the
// plain or the numbered divider text for the size, made from the templates
// PrepareDividerTemplates prepared; its text blocks and layouts stay.
// Returns the number of page text records collected and deleted, 0 when the
// list of them cannot be allocated. Shows no message.
int32_t RemoveDividers(int16_t fromPage, int16_t toPage, int16_t fontSize);
