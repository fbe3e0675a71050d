// The control library module.
