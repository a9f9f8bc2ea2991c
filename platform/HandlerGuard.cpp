// HandlerGuard
