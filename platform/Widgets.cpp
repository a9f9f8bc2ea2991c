// Widgets
