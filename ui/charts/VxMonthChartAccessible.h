#pragma once

// Month charts (TVxMonthChart) as assistive technology meets them: a chart
// named by its title and described as its owner describes it, whose value
// and text are the month it reads out ("11月 1170円 (前月比 +15円 +1.30%)",
// empty while it reads out none), and whose children are its months, oldest
// first, one list item each, named by what the month reads out.  While the
// chart has the keys, the month read out is the child with the focus, and
// the chart moves the focus from month to month as the keys move the
// readout: a screen reader speaks each month as the focus reaches it, the
// way it speaks the rows of a list.
//
// The Linux accessibility bridge passes a widget's value text on to AT-SPI
// only for editable texts, so the chart also offers the month read out as a
// read-only text.

// Installs the description for every month chart of the program; calling it
// again does nothing.
void InstallAccessibleMonthCharts();
