// Application
