// Fonts
