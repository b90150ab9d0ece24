#pragma once
// What assistive technology sees of the window beyond what the controls tell by
// themselves: the device photo as one button, the link state announced when it
// changes.

class QLabel;

// Registers the window's accessible interfaces with the toolkit (once per process).
void InstallAccessibleFactory();

// Tells assistive technology that the link state shown by label has changed.
void AnnounceLabelChange(QLabel *label);
