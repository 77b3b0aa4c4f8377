#pragma once
// Makes the program's own components known to the form reader.
void RegisterOwnComponents();
